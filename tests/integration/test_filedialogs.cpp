// The import and export dialogs as the program shows them: readable over the
// translucent main window, opening where the user last was (else at home),
// proposing the name, and adding the extension to a bare name.
#include "hidthread.h"
#include "myqquickview.h"
#include "ui_controler.h"
#include "widgetfiledialogs.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QQuickWindow>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>

namespace {

// Answers the next file dialog over `parent`: `answer` looks at it and
// accepts or rejects it.
void whenDialogShows(QWidget *parent, const std::function<void(QFileDialog &)> &answer)
{
    auto *poll = new QTimer(parent);
    QObject::connect(poll, &QTimer::timeout, parent, [parent, poll, answer] {
        auto *dialog = parent->findChild<QFileDialog *>(QStringLiteral("fileDialog"));
        if (!dialog || !dialog->isVisible())
            return;
        poll->deleteLater();
        poll->stop();
        answer(*dialog);
    });
    poll->start(10);
}

} // namespace

class TestFileDialogs : public QObject
{
    Q_OBJECT

private slots:
    // The main window is transparent; its dialogs are not: an opaque, light
    // background behind dark labels.
    void dialogsAreReadableOverTheTranslucentWindow()
    {
        QWidget window;
        Hid_Thread hid;
        Ui_Controler controller;
        myQQuickView *view = controller.setup(&window, &hid, QStringLiteral("KX20"));
        WidgetFileDialogs dialogs(view);
        QImage shot;
        QColor text;
        whenDialogShows(view, [&](QFileDialog &dialog) {
            shot = dialog.grab().toImage();
            text = dialog.palette().color(QPalette::WindowText);
            dialog.reject();
        });
        QCOMPARE(dialogs.openFile(QStringLiteral("Open File"), QStringLiteral("Profile(*.pf)")), QString());
        QVERIFY(!shot.isNull());
        const QRgb background = shot.pixel(3, shot.height() - 3);
        QCOMPARE(qAlpha(background), 255);
        QVERIFY2(
            qGray(background) - qGray(text.rgb()) > 100,
            qPrintable(QStringLiteral("background %1, text %2").arg(QColor(background).name(), text.name())));
    }

    void saveProposesTheNameAndAddsTheExtension()
    {
        QTemporaryDir there;
        QWidget parent;
        WidgetFileDialogs dialogs(&parent);
        QCOMPARE(dialogs.startFolder(), QDir::homePath());

        // At home first, with the profile's name proposed; "bare" typed.
        QString shownFolder, proposed;
        whenDialogShows(&parent, [&](QFileDialog &dialog) {
            shownFolder = dialog.directory().absolutePath();
            proposed = dialog.selectedFiles().value(0);
            dialog.setDirectory(there.path());
            // As a person types it into the name field.
            auto *name = dialog.findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
            QVERIFY(name);
            name->setText(QStringLiteral("bare"));
            static_cast<QDialog &>(dialog).accept();
        });
        const QString written = dialogs.saveFile(QStringLiteral("Save File"), QStringLiteral("Profile(*.pf)"),
                                                 QStringLiteral("Work.pf"));
        QCOMPARE(shownFolder, QDir::homePath());
        QCOMPARE(QFileInfo(proposed).fileName(), QStringLiteral("Work.pf"));
        QCOMPARE(written, QDir(there.path()).filePath(QStringLiteral("bare.pf")));

        // The next dialog, open or save, starts where the last one ended.
        whenDialogShows(&parent, [&](QFileDialog &dialog) {
            shownFolder = dialog.directory().absolutePath();
            dialog.reject();
        });
        QCOMPARE(dialogs.openFile(QStringLiteral("Open File"), QStringLiteral("Macro(*.mc)")), QString());
        QCOMPARE(shownFolder, QDir(there.path()).absolutePath());
        QCOMPARE(dialogs.startFolder(), QDir(there.path()).absolutePath());
    }

    void extensionRules_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("written");
        QTest::newRow("bare profile") << "/x/Work"
                                      << "Profile(*.pf)"
                                      << "/x/Work.pf";
        QTest::newRow("bare macro") << "/x/m"
                                    << "Macro(*.mc)"
                                    << "/x/m.mc";
        QTest::newRow("own extension kept") << "/x/Work.txt"
                                            << "Profile(*.pf)"
                                            << "/x/Work.txt";
        QTest::newRow("dotted folder") << "/x.y/Work"
                                       << "Profile(*.pf)"
                                       << "/x.y/Work.pf";
        QTest::newRow("cancelled") << ""
                                   << "Profile(*.pf)"
                                   << "";
        QTest::newRow("no extension in filter") << "/x/Work"
                                                << "All(*)"
                                                << "/x/Work";
    }
    void extensionRules()
    {
        QFETCH(QString, typed);
        QFETCH(QString, filter);
        QFETCH(QString, written);
        QCOMPARE(FileDialogs::withSuffixOf(typed, filter), written);
    }
};

int main(int argc, char **argv)
{
    QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
    QApplication app(argc, argv);
    TestFileDialogs test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_filedialogs.moc"
