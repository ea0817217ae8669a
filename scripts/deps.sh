# Sourced by scripts/run and scripts/test: installs the Debian 12 packages the
# project needs, touching apt only when something is missing.

KX20_PACKAGES=(
    cmake g++ ninja-build pkg-config clang-format
    qt6-base-dev qt6-declarative-dev qt6-declarative-private-dev libqt6quickwidgets6 qt6-qpa-plugins
    fonts-dejavu-core fonts-wqy-microhei
    qml6-module-qtquick qml6-module-qtquick-window qml6-module-qtqml-workerscript qml6-module-qttest
    libhidapi-dev libudev-dev
    xvfb xauth
    libx11-dev libxtst-dev xdotool
    libxcb1-dev
    librsvg2-bin
    qt6-declarative-dev-tools qml6-module-qtqml qml6-module-qtqml-models python3
    libglib2.0-dev gsettings-desktop-schemas dbus-daemon
    dpkg-dev lintian bash-completion
    g++-mingw-w64-x86-64-posix
    imagemagick pngquant
)

kx20_install_deps() {
    local missing=()
    local pkg
    for pkg in "${KX20_PACKAGES[@]}"; do
        if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$pkg")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0

    echo "Installing missing packages: ${missing[*]}"
    local sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    "${sudo[@]}" apt-get update -qq
    # Recommended packages too: Qt's platform plugins and fonts come that way.
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq "${missing[@]}"
}

# Configures (once) and builds a tree: kx20_build DIR [cmake options...]
kx20_build() {
    local dir=$1
    shift
    cmake -S . -B "$dir" -G Ninja "$@" >/dev/null
    cmake --build "$dir" --parallel "$(nproc)"
}
