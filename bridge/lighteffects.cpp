#include "lighteffects.h"

#include <QRegularExpression>

#include <initializer_list>
#include <iterator>

namespace {

constexpr int kBaseRows = 4;
constexpr int kColourfulRows = 7;
constexpr int kAppended571 = 16;
// Where each group of rows finds its names among the page's texts.
constexpr int kBaseText = 1;
constexpr int kColourfulText = 8;
constexpr int kText55328 = 15;
constexpr int kRenamed571Text = 16;
constexpr int kRenamed571Rows = 11;
constexpr int kAppended571Text = 27;

constexpr bool S = true;  // shown
constexpr bool H = false; // hidden
constexpr int K = -1;     // step kept

// What an effect shows on mice without the 571 lighting, by row.
struct PlainRule
{
    bool speed;
    bool brightness;
    bool shaded;
    int speedOnChoose;
    int brightnessOnChoose;
};

constexpr PlainRule kPlainRules[] = {
    {H, S, false, K, 4}, // Static
    {S, H, false, 0, K}, // Breath
    {S, H, true, 0, K},  // Neon
    {H, H, true, K, 0},  // OFF
    {H, S, false, K, 4}, // Twinkling
    {S, S, true, 0, 4},  // Wave
    {H, H, true, 0, 4},  // Gliding
    {H, S, true, K, 4},  // Finger Moving
    {S, S, true, 0, 4},  // Vertical Flipping
    {S, S, true, 0, 4},  // YO-YO
    {S, S, true, 0, 4},  // Spotlight
};
// Row 4 of a 55328 mouse is its own effect, with a speed.
constexpr PlainRule k55328Row4{S, H, false, 0, K};
constexpr int k55328Row = 4;

// The 571 lighting by effect index 0 to 26.
bool in(std::initializer_list<int> set, int effect)
{
    for (int e : set) {
        if (e == effect)
            return true;
    }
    return false;
}

LightEffect rule571(int effect)
{
    LightEffect e;
    e.hasBrightness = in({1, 2, 3, 7, 8, 9, 10, 11, 18, 19, 20, 21, 22, 23, 24, 25, 26}, effect);
    e.hasSpeed = in({4, 5, 6, 7, 8, 20, 21, 22, 23}, effect);
    e.singleColour = in({1, 4, 9, 12, 15, 18, 20, 24}, effect);
    e.colourShaded = in({0, 7, 8, 23}, effect);
    e.speedOnChoose = LightEffects::kMaxStep;
    e.brightnessOnChoose = LightEffects::kMaxStep;
    return e;
}

LightEffect plainRule(int row, bool is55328)
{
    LightEffect e;
    if (row < 0 || row >= int(std::size(kPlainRules)))
        return e;
    const PlainRule &r = is55328 && row == k55328Row ? k55328Row4 : kPlainRules[row];
    e.hasSpeed = r.speed;
    e.hasBrightness = r.brightness;
    e.colourShaded = r.shaded;
    e.speedOnChoose = r.speedOnChoose;
    e.brightnessOnChoose = r.brightnessOnChoose;
    return e;
}

QString folded(const QString &name)
{
    static const QRegularExpression ignored(QStringLiteral("[\\s_-]"));
    return QString(name).remove(ignored).toCaseFolded();
}

} // namespace

bool LightEffect::operator==(const LightEffect &o) const
{
    return textIndex == o.textIndex && hasSpeed == o.hasSpeed && hasBrightness == o.hasBrightness
           && colourShaded == o.colourShaded && singleColour == o.singleColour
           && speedOnChoose == o.speedOnChoose && brightnessOnChoose == o.brightnessOnChoose;
}

LightEffects::LightEffects(QObject *parent)
    : QObject(parent)
{
    rebuild();
}

QList<LightEffect> LightEffects::rows(bool isColorful, bool is55328, bool is571)
{
    // The names, in the order the page adds its rows.
    QList<int> texts;
    for (int i = 0; i < kBaseRows; ++i)
        texts << kBaseText + i;
    if (isColorful) {
        for (int i = 0; i < kColourfulRows; ++i)
            texts << kColourfulText + i;
    }
    if (is55328)
        texts << kText55328;
    if (is571) {
        for (int i = 0; i < kRenamed571Rows && i < texts.size(); ++i)
            texts[i] = kRenamed571Text + i;
        for (int i = 0; i < kAppended571; ++i)
            texts << kAppended571Text + i;
    }
    QList<LightEffect> list;
    for (int row = 0; row < texts.size(); ++row) {
        LightEffect e = is571 ? rule571(row) : plainRule(row, is55328);
        e.textIndex = texts.at(row);
        list << e;
    }
    return list;
}

QList<LightEffect> LightEffects::rows(const MouseModel &model)
{
    return rows(model.isColorful, model.is55328, model.is571);
}

QStringList LightEffects::builtInTexts()
{
    QStringList texts{QStringLiteral("Light"),
                      QStringLiteral("Static"),
                      QStringLiteral("Breath"),
                      QStringLiteral("Neon"),
                      QStringLiteral("OFF"),
                      QStringLiteral("Speed"),
                      QStringLiteral("Color"),
                      QStringLiteral("Brightness"),
                      QStringLiteral("Twinkling"),
                      QStringLiteral("Wave"),
                      QStringLiteral("Gliding"),
                      QStringLiteral("Finger Moving"),
                      QStringLiteral("Vertical Flipping"),
                      QStringLiteral("YO-YO"),
                      QStringLiteral("Spotlight")};
    while (texts.size() < kTexts)
        texts << QString();
    return texts;
}

QStringList LightEffects::names(const QList<LightEffect> &rows, const QStringList &texts)
{
    QStringList names;
    for (const LightEffect &e : rows)
        names << texts.value(e.textIndex);
    return names;
}

int LightEffects::rowOfName(const QStringList &names, const QString &name)
{
    const QString wanted = folded(name);
    if (wanted.isEmpty())
        return -1;
    for (int row = 0; row < names.size(); ++row) {
        if (folded(names.at(row)) == wanted)
            return row;
    }
    return -1;
}

void LightEffects::setColorful(bool on)
{
    if (on == m_isColorful)
        return;
    m_isColorful = on;
    rebuild();
}

void LightEffects::set55328(bool on)
{
    if (on == m_is55328)
        return;
    m_is55328 = on;
    rebuild();
}

void LightEffects::set571(bool on)
{
    if (on == m_is571)
        return;
    m_is571 = on;
    rebuild();
}

void LightEffects::rebuild()
{
    m_rows = rows(m_isColorful, m_is55328, m_is571);
    emit rowsChanged();
}

LightEffect LightEffects::row(int index) const
{
    if (index < 0 || index >= m_rows.size())
        return {};
    return m_rows.at(index);
}

int LightEffects::textIndex(int r) const
{
    return row(r).textIndex;
}

bool LightEffects::hasSpeed(int r) const
{
    return row(r).hasSpeed;
}

bool LightEffects::hasBrightness(int r) const
{
    return row(r).hasBrightness;
}

bool LightEffects::colourShaded(int r) const
{
    return row(r).colourShaded;
}

bool LightEffects::singleColour(int r) const
{
    return row(r).singleColour;
}

int LightEffects::speedOnChoose(int r) const
{
    return row(r).speedOnChoose;
}

int LightEffects::brightnessOnChoose(int r) const
{
    return row(r).brightnessOnChoose;
}
