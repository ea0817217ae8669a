// The scene's pictures: every line of modules/img/pictures.txt is a compiled-in
// resource of the listed size with a twice-as-large @2x variant for 200 %
// screens, and every picture the QML and JavaScript name literally is listed
// there, so a misspelt picture name fails here rather than showing an empty
// space in the window.

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QSet>
#include <QStringList>
#include <QtTest>

namespace {

QString manifestPath()
{
    return QStringLiteral(KX20_SOURCE_DIR "/modules/img/pictures.txt");
}

struct ManifestLine
{
    int lineNo = 0;
    QString path;
    int width = -1; // -1: the line is malformed
    int height = -1;
};

// Lines of "<resource path> <width> <height>", "#" starting a comment.
bool readManifest(QList<ManifestLine> *lines)
{
    QFile file(manifestPath());
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;
    static const QRegularExpression form(QStringLiteral("^(/\\S+\\.png)\\s+([1-9]\\d*)\\s+([1-9]\\d*)$"));
    int lineNo = 0;
    while (!file.atEnd()) {
        ++lineNo;
        QString text = QString::fromUtf8(file.readLine());
        const qsizetype hash = text.indexOf(QLatin1Char('#'));
        if (hash >= 0)
            text.truncate(hash);
        text = text.trimmed();
        if (text.isEmpty())
            continue;
        ManifestLine line;
        line.lineNo = lineNo;
        line.path = text;
        const QRegularExpressionMatch m = form.match(text);
        if (m.hasMatch()) {
            line.path = m.captured(1);
            line.width = m.captured(2).toInt();
            line.height = m.captured(3).toInt();
        }
        lines->append(line);
    }
    return true;
}

// The text with its // and /* */ comments blanked out, string literals and
// line breaks kept, so line numbers still match and a path in a comment is
// not taken for a use.
QString withoutComments(const QString &text)
{
    QString out = text;
    QChar quote;
    for (qsizetype i = 0; i < out.size(); ++i) {
        const QChar c = out.at(i);
        const QChar next = i + 1 < out.size() ? out.at(i + 1) : QChar();
        if (!quote.isNull()) {
            if (c == QLatin1Char('\\'))
                ++i;
            else if (c == quote)
                quote = QChar();
        } else if (c == QLatin1Char('"') || c == QLatin1Char('\'') || c == QLatin1Char('`')) {
            quote = c;
        } else if (c == QLatin1Char('/') && next == QLatin1Char('/')) {
            while (i < out.size() && out.at(i) != QLatin1Char('\n'))
                out[i++] = QLatin1Char(' ');
        } else if (c == QLatin1Char('/') && next == QLatin1Char('*')) {
            out[i] = out[i + 1] = QLatin1Char(' ');
            for (i += 2; i < out.size(); ++i) {
                if (out.at(i) == QLatin1Char('*') && i + 1 < out.size()
                    && out.at(i + 1) == QLatin1Char('/')) {
                    out[i] = out[i + 1] = QLatin1Char(' ');
                    ++i;
                    break;
                }
                if (out.at(i) != QLatin1Char('\n'))
                    out[i] = QLatin1Char(' ');
            }
        }
    }
    return out;
}

} // namespace

class TestScenePictures : public QObject
{
    Q_OBJECT

private slots:
    void picture_data();
    void picture();
    void namedPicturesExist();
};

void TestScenePictures::picture_data()
{
    QTest::addColumn<int>("lineNo");
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");

    QList<ManifestLine> lines;
    if (!readManifest(&lines)) {
        QTest::newRow("pictures.txt") << 0 << QStringLiteral("cannot read %1").arg(manifestPath()) << 0 << 0;
        return;
    }
    if (lines.isEmpty())
        QTest::newRow("pictures.txt")
            << 0 << QStringLiteral("no picture listed in %1").arg(manifestPath()) << 0 << 0;
    for (const ManifestLine &line : std::as_const(lines))
        QTest::addRow("%s", qPrintable(line.path)) << line.lineNo << line.path << line.width << line.height;
}

void TestScenePictures::picture()
{
    QFETCH(int, lineNo);
    QFETCH(QString, path);
    QFETCH(int, width);
    QFETCH(int, height);

    QVERIFY2(lineNo > 0, qPrintable(path)); // a row that only carries a complaint about the list
    QVERIFY2(width > 0,
             qPrintable(QStringLiteral(
                            "pictures.txt:%1: expected \"<resource path>.png <width> <height>\", got \"%2\"")
                            .arg(lineNo)
                            .arg(path)));

    const QImage image(QLatin1Char(':') + path);
    QVERIFY2(
        !image.isNull(),
        qPrintable(QStringLiteral("pictures.txt:%1: %2 is not a loadable resource").arg(lineNo).arg(path)));
    QCOMPARE(image.size(), QSize(width, height));

    QString sharp = path;
    sharp.chop(4); // ".png"
    sharp += QStringLiteral("@2x.png");
    const QImage image2x(QLatin1Char(':') + sharp);
    QVERIFY2(
        !image2x.isNull(),
        qPrintable(QStringLiteral("pictures.txt:%1: %2 has no loadable %3").arg(lineNo).arg(path, sharp)));
    QCOMPARE(image2x.size(), QSize(2 * width, 2 * height));
}

void TestScenePictures::namedPicturesExist()
{
    QList<ManifestLine> lines;
    QVERIFY2(readManifest(&lines), qPrintable(QStringLiteral("cannot read %1").arg(manifestPath())));
    QSet<QString> listed;
    for (const ManifestLine &line : std::as_const(lines))
        listed.insert(line.path);

    // "qrc:/...png" written out, and Theme.picture("group", "name") with two
    // literal arguments; the theme puts every group's pictures in skin 1.
    static const QRegularExpression literal(QStringLiteral("([\"'`])qrc:(/[^\"'`\\s]*\\.png)\\1"));
    static const QRegularExpression themeCall(
        QStringLiteral("\\bTheme\\.picture\\(\\s*([\"'])([^\"']*)\\1\\s*,\\s*([\"'])([^\"']*)\\3\\s*\\)"));

    const QString qmlRoot = QStringLiteral(KX20_SOURCE_DIR "/modules/qml");
    QStringList files;
    QDirIterator it(qmlRoot, {QStringLiteral("*.qml"), QStringLiteral("*.js")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        files.append(it.next());
    files.sort();
    QVERIFY2(!files.isEmpty(), qPrintable(QStringLiteral("no .qml or .js file under %1").arg(qmlRoot)));

    QStringList missing;
    int references = 0;
    for (const QString &fileName : std::as_const(files)) {
        QFile file(fileName);
        QVERIFY2(file.open(QIODevice::ReadOnly | QIODevice::Text), qPrintable(fileName));
        const QStringList textLines =
            withoutComments(QString::fromUtf8(file.readAll())).split(QLatin1Char('\n'));
        const QString shownName = QDir(QStringLiteral(KX20_SOURCE_DIR)).relativeFilePath(fileName);
        for (qsizetype i = 0; i < textLines.size(); ++i) {
            QStringList named;
            for (auto m = literal.globalMatch(textLines.at(i)); m.hasNext();)
                named.append(m.next().captured(2));
            for (auto m = themeCall.globalMatch(textLines.at(i)); m.hasNext();) {
                const QRegularExpressionMatch call = m.next();
                const QString group = call.captured(2);
                named.append(QStringLiteral("/%1/modules/img/skin1/%1/%2.png").arg(group, call.captured(4)));
            }
            for (const QString &path : std::as_const(named)) {
                ++references;
                if (!listed.contains(path))
                    missing.append(QStringLiteral("%1:%2: %3 is not in modules/img/pictures.txt")
                                       .arg(shownName)
                                       .arg(i + 1)
                                       .arg(path));
            }
        }
    }
    qInfo("%d picture references in %d files", references, int(files.size()));
    QVERIFY2(missing.isEmpty(), qPrintable(missing.join(QLatin1Char('\n'))));
}

QTEST_MAIN(TestScenePictures)
#include "test_scenepictures.moc"
