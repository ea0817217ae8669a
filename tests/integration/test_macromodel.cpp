// Seeded random sequences of a user's steps over the real scene and the
// emulated mouse: the macro editor (select, New, Delete, rename, Times, a
// delay, recording, the Delay box, Escape, closing and reopening), binding a
// macro to a button, renaming a profile on the profile page and switching
// profile. After every step each macro file and the name lists hold what a
// small model of the user's intent predicts, each bound macro slot of the
// mouse holds its macro's bytes, and no other file changed.
//
// KX20_MODEL_SEEDS and KX20_MODEL_STEPS make the run longer
// (bench/bench_macromodel.sh); KX20_MODEL_SEED runs one seed.
#include "keycodestring.h"
#include "macroencoder.h"
#include "myqquickview.h"
#include "scenefixture.h"

#include <QApplication>
#include <QMap>
#include <QQuickItem>
#include <QQuickWindow>
#include <QRandomGenerator>
#include <QSet>
#include <QTest>

namespace {

int envInt(const char *name, int fallback)
{
    bool ok = false;
    const int value = qEnvironmentVariableIntValue(name, &ok);
    return ok ? value : fallback;
}

// A settings file as group/key -> value text, a quoted value unquoted.
QMap<QString, QString> readIni(const QString &text)
{
    QMap<QString, QString> values;
    QString group;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (const QString &line : lines) {
        if (line.startsWith(QLatin1Char('['))) {
            group = line.mid(1, line.indexOf(QLatin1Char(']')) - 1);
            continue;
        }
        const int eq = line.indexOf(QLatin1Char('='));
        if (eq <= 0)
            continue;
        QString value = line.mid(eq + 1);
        if (value.size() >= 2 && value.startsWith(QLatin1Char('"')) && value.endsWith(QLatin1Char('"')))
            value = value.mid(1, value.size() - 2).replace(QLatin1String("\\\""), QLatin1String("\""));
        values.insert(group + QLatin1Char('/') + line.left(eq), value);
    }
    return values;
}

QString macroFile(const QString &name)
{
    return QStringLiteral("modules/macro/") + name + QStringLiteral(".bin");
}

QString profileFile(int profile)
{
    return QStringLiteral("modules/setting/p%1.bin").arg(profile + 1);
}

// What the user meant: the macros, the edit left open, the bindings.
struct Model
{
    struct Macro
    {
        QStringList events;
        int repeat = 1;
    };
    struct Pending
    {
        enum Kind { None, Times, Delay, Name } kind = None;
        QString macro;
        int row = -1;
        QString text;
    };

    QStringList names;
    QMap<QString, Macro> macros;
    int current = -1;
    Pending pending;
    bool editorOpen = false;
    bool delayRecord = false;
    int profile = 0;
    // The profile page's rows.
    QStringList profileNames{QStringLiteral("Standard"), QStringLiteral("second")};
    // Profile -> button -> macro name.
    QMap<int, QMap<int, QString>> bindings;
    // The files the step may change.
    QSet<QString> touched;

    QString currentName() const
    {
        return current >= 0 && current < names.size() ? names.at(current) : QString();
    }

    // The open edit ends on the macro it was opened on.
    void commit()
    {
        const Pending p = pending;
        pending = Pending();
        if (p.kind == Pending::Times) {
            bool ok = false;
            const int n = p.text.toInt(&ok);
            macros[p.macro].repeat = ok && n >= 1 ? qMin(n, 65535) : 0;
            touched << macroFile(p.macro);
        } else if (p.kind == Pending::Delay) {
            bool ok = false;
            const int n = p.text.toInt(&ok);
            if (ok && n >= 0 && n <= 65535) {
                QStringList events = macros[p.macro].events;
                events[p.row] = QStringLiteral("0,%1").arg(n);
                if (length(events) <= MacroEncoder::kBlockBytes)
                    macros[p.macro].events = events;
            }
            touched << macroFile(p.macro);
        } else if (p.kind == Pending::Name) {
            rename(p.macro, p.text);
        }
    }

    void rename(const QString &from, const QString &to)
    {
        if (names.contains(to) || !MacroEncoder::isMacroName(to))
            return;
        names[names.indexOf(from)] = to;
        macros.insert(to, macros.take(from));
        for (auto &buttons : bindings) {
            for (QString &name : buttons) {
                if (name == from)
                    name = to;
            }
        }
        touched << macroFile(from) << macroFile(to) << QStringLiteral("modules/setting/name.bin");
        for (int p = 0; p < 6; ++p)
            touched << profileFile(p);
    }

    static int length(const QStringList &events)
    {
        QVariantList rows;
        for (const QString &e : events)
            rows << QVariantMap{{QStringLiteral("type"), e.left(1).toInt()},
                                {QStringLiteral("info"), e.mid(2)}};
        return MacroEncoder::rowsLength(rows);
    }

    // Recording keeps whole press-and-release pairs within the slot's
    // limit; keys still held at the end are released after the last event,
    // `atStop` of them.
    static QStringList record(const QList<QPair<bool, int>> &keys, int *atStop)
    {
        QStringList events;
        QList<int> held;
        const auto releaseOf = [](int code) {
            return QStringLiteral("2,")
                   + KeyCodeString::builtInTexts().at(KeyCodeString::codes().indexOf(code));
        };
        for (const auto &[down, code] : keys) {
            if (down == held.contains(code))
                continue;
            QList<int> rest = held;
            rest.removeAll(code);
            QStringList after = events;
            after << (down ? QStringLiteral("1,") + releaseOf(code).mid(2) : releaseOf(code));
            QStringList reserved = after;
            for (int k : rest)
                reserved << releaseOf(k);
            if (down)
                reserved << releaseOf(code);
            if (length(reserved) > MacroEncoder::kRecordLimit)
                continue;
            events = after;
            held = down ? rest + QList<int>{code} : rest;
        }
        for (int k : held)
            events << releaseOf(k);
        *atStop = int(held.size());
        return events;
    }

    QStringList stored(const QString &name) const
    {
        const Macro &m = macros.value(name);
        return m.events + QStringList{QString::number(m.repeat)};
    }
};

// The macros the user starts with; the second profile runs "slow" on
// button 3.
const QList<QPair<QString, Model::Macro>> &startMacros()
{
    static const QList<QPair<QString, Model::Macro>> macros{
        {QStringLiteral("Macro_0"),
         {{QStringLiteral("1,A"), QStringLiteral("0,120"), QStringLiteral("2,A"), QStringLiteral("1,B"),
           QStringLiteral("0,50"), QStringLiteral("2,B")},
          1}},
        {QStringLiteral("combo"),
         {{QStringLiteral("1,LCtrl"), QStringLiteral("1,C"), QStringLiteral("2,C"),
           QStringLiteral("2,LCtrl")},
          2}},
        {QStringLiteral("slow"),
         {{QStringLiteral("1,Q"), QStringLiteral("0,2000"), QStringLiteral("2,Q")}, 1}}};
    return macros;
}

void installMacros(ModulesTree &tree)
{
    QStringList names;
    for (const auto &[name, macro] : startMacros()) {
        QByteArray text = "[config]\nindex=0\ntotal=" + QByteArray::number(macro.events.size())
                          + "\nrepeat=" + QByteArray::number(macro.repeat) + "\ndid=-1\n\n[macro]\n";
        for (int i = 0; i < macro.events.size(); ++i)
            text += QByteArray::number(i) + "=\"" + macro.events.at(i).toUtf8() + "\"\n";
        tree.write(macroFile(name), text);
        names << name;
    }
    tree.write(QStringLiteral("modules/setting/name.bin"),
               "[macro]\nmacroName=" + names.join(QStringLiteral(", ")).toUtf8()
                   + "\n\n[profile]\nprofileName=Standard0, second1\n\n[gun]\n"
                     "gunName=M416, AKM, M16A4, SCAR-L, UNP9, Thomson\n");
    QByteArray second = tree.read(profileFile(1));
    second.replace("[mouseKeyMatrix]\n", "[mouseMacroKey]\n3=slow\n\n[mouseKeyMatrix]\n");
    second.replace("\n3=0, 0, 244, 0\n", "\n3=4, 0, 3, 0\n");
    tree.write(profileFile(1), second);
}

class Run
{
public:
    Run(quint32 seed, ChipFamily family)
        : scene(family,
                [](ModulesTree &tree, EmulatedMouse &) {
                    installMacros(tree);
                })
        , random(seed)
    {
        for (const auto &[name, macro] : startMacros()) {
            model.names << name;
            model.macros.insert(name, macro);
        }
        model.bindings[1][3] = QStringLiteral("slow");
    }

    // The first initUI without waiting out the power-on lock.
    bool start()
    {
        scene.view().initUI();
        if (!QTest::qWaitFor([this] {
                return scene.root()->property("isPownOn").toBool();
            }))
            return false;
        QMetaObject::invokeMethod(scene.root(), "setProtectUI", Q_ARG(QVariant, 0));
        return scene.root()->property("mainShown").toBool() && scene.view().isEnabled();
    }

    SceneFixture scene;
    QRandomGenerator random;
    Model model;
    QStringList log;
    KeyCodeString keys;

    int pick(int bound) { return int(random.bounded(bound)); }

    QQuickItem *find(QQuickItem *parent, const QString &name) const
    {
        if (!parent)
            return nullptr;
        const QList<QQuickItem *> children = parent->childItems();
        for (QQuickItem *child : children) {
            if (child->objectName() == name && child->isVisible())
                return child;
            if (QQuickItem *found = find(child, name))
                return found;
        }
        return nullptr;
    }

    QQuickItem *item(const char *name) const { return find(scene.root(), QString::fromLatin1(name)); }

    // An item a step is about to use: a list makes its rows when it next
    // lays itself out, which on a busy machine may be a moment later.
    QQuickItem *need(const char *name) const
    {
        QQuickItem *found = nullptr;
        const bool seen = QTest::qWaitFor([this, name, &found] {
            found = item(name);
            return found != nullptr;
        });
        return seen ? found : nullptr;
    }

    QQuickItem *editor() const { return scene.item("macroEditor"); }

    QPoint centre(QQuickItem *item, qreal x = -1) const
    {
        return item->mapToScene(QPointF(x < 0 ? item->width() / 2 : x, item->height() / 2)).toPoint();
    }

    bool click(QQuickItem *target, Qt::MouseButton button = Qt::LeftButton)
    {
        if (!target)
            return false;
        scene.click(centre(target), button);
        return true;
    }

    void doubleClick(const QPoint &at)
    {
        // As a window system delivers it: press, release, the second press
        // as a double click, release.
        QTest::mouseClick(&scene.view(), Qt::LeftButton, Qt::NoModifier, at);
        QTest::mouseDClick(&scene.view(), Qt::LeftButton, Qt::NoModifier, at);
        QTest::mouseRelease(&scene.view(), Qt::LeftButton, Qt::NoModifier, at);
    }

    void settle() const
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }

    bool waitEnabled()
    {
        return QTest::qWaitFor([this] {
            return scene.view().isEnabled();
        });
    }

    QQuickItem *macroRow(int row) const { return need(QStringLiteral("macroRow%1").arg(row).toLatin1()); }

    void typeText(const QString &text) { QTest::keyClicks(&scene.view(), text); }

    // ---- Steps ----

    bool select(int row)
    {
        model.commit();
        model.current = row;
        log << QStringLiteral("select %1").arg(row);
        return click(macroRow(row));
    }

    bool newMacro()
    {
        model.commit();
        QString name;
        for (int n = 0; name.isEmpty(); ++n) {
            if (!model.names.contains(QStringLiteral("Macro_%1").arg(n)))
                name = QStringLiteral("Macro_%1").arg(n);
        }
        model.names << name;
        model.macros.insert(name, Model::Macro());
        model.current = int(model.names.size()) - 1;
        model.touched << macroFile(name) << QStringLiteral("modules/setting/name.bin");
        log << QStringLiteral("new");
        return click(need("newMacroButton"));
    }

    bool deleteMacro()
    {
        model.commit();
        log << QStringLiteral("delete");
        const QString name = model.currentName();
        if (!name.isEmpty()) {
            model.names.removeAt(model.current);
            model.macros.remove(name);
            model.current = qMin(model.current, int(model.names.size()) - 1);
            for (auto &buttons : model.bindings) {
                for (auto it = buttons.begin(); it != buttons.end();)
                    it = it.value() == name ? buttons.erase(it) : std::next(it);
            }
            model.touched << macroFile(name) << QStringLiteral("modules/setting/name.bin");
            for (int p = 0; p < 6; ++p)
                model.touched << profileFile(p);
        }
        return click(need("deleteMacroButton"));
    }

    bool rename(int row, bool enter)
    {
        static const QStringList pool{QStringLiteral("fire"),    QStringLiteral("jump"),
                                      QStringLiteral("Macro_0"), QStringLiteral("Macro_1"),
                                      QStringLiteral("reload"),  QStringLiteral("a b")};
        const QString name = pool.at(pick(int(pool.size())));
        model.commit();
        model.current = row;
        log << QStringLiteral("rename %1 to '%2'%3")
                   .arg(row)
                   .arg(name, enter ? QStringLiteral(" + Enter") : QString());
        QQuickItem *target = macroRow(row);
        return target
               && editInPlace(target, centre(target), "nameInput",
                              {Model::Pending::Name, model.currentName(), row, name}, enter);
    }

    // Double-clicks `at` in `target`, waits for its in-place input to take
    // the keyboard, types and leaves the edit open unless `enter`.
    bool editInPlace(QQuickItem *target, const QPoint &at, const char *input, const Model::Pending &pending,
                     bool enter)
    {
        doubleClick(at);
        if (!QTest::qWaitFor([this, target, input] {
                QQuickItem *field = find(target, QString::fromLatin1(input));
                return field && field->hasActiveFocus();
            }))
            return false;
        typeText(pending.text);
        model.pending = pending;
        if (enter) {
            QTest::keyClick(&scene.view(), Qt::Key_Return);
            model.commit();
        }
        return true;
    }

    bool times(bool enter)
    {
        const QString value = QString::number(pick(3) == 0 ? pick(10) : 1 + pick(9999));
        if (model.pending.kind == Model::Pending::Times)
            model.pending.text = value;
        else {
            model.commit();
            model.pending = {Model::Pending::Times, model.currentName(), -1, value};
        }
        log << QStringLiteral("times %1%2").arg(value, enter ? QStringLiteral(" + Enter") : QString());
        if (!click(need("countRecordInput")))
            return false;
        QTest::keyClick(&scene.view(), Qt::Key_A, Qt::ControlModifier);
        typeText(value);
        if (enter) {
            QTest::keyClick(&scene.view(), Qt::Key_Return);
            model.commit();
        }
        return true;
    }

    bool delay(int row, bool enter)
    {
        static const int values[] = {0, 10, 50, 120, 500, 1260, 1270, 2000, 65535};
        const QString value = QString::number(pick(4) == 0 ? pick(65536) : values[pick(9)]);
        model.commit();
        log << QStringLiteral("delay row %1 = %2%3")
                   .arg(row)
                   .arg(value, enter ? QStringLiteral(" + Enter") : QString());
        QQuickItem *list = need("eventList");
        QMetaObject::invokeMethod(list, "positionViewAtIndex", Q_ARG(int, row), Q_ARG(int, 4));
        settle();
        QQuickItem *target = need(QStringLiteral("eventRow%1").arg(row).toLatin1());
        if (!target)
            return false;
        return editInPlace(target, target->mapToScene(QPointF(100, target->height() / 2)).toPoint(),
                           "delayInput", {Model::Pending::Delay, model.currentName(), row, value}, enter);
    }

    bool recordKeys()
    {
        model.commit();
        // Mostly a few keys; now and then far more than a macro slot holds.
        const int pairs = !model.delayRecord && pick(8) == 0 ? 35 + pick(10) : 1 + pick(5);
        QList<QPair<bool, int>> typed;
        for (int i = 0; i < pairs; ++i) {
            const int code = 0x04 + pick(26);
            const bool shifted = pick(4) == 0;
            if (shifted)
                typed << qMakePair(true, 0xE1);
            typed << qMakePair(true, code) << qMakePair(false, code);
            if (shifted)
                typed << qMakePair(false, 0xE1);
        }
        // A key left held when recording stops.
        if (pick(6) == 0)
            typed << qMakePair(true, 0x2C);
        log << QStringLiteral("record %1 events").arg(typed.size());
        if (!click(need("recordButton")))
            return false;
        for (const auto &[down, code] : typed)
            scene.view().notifyKeyboard(down, uchar(code));
        settle();
        if (!click(need("recordButton")))
            return false;
        const QString name = model.currentName();
        int atStop = 0;
        const QStringList events = Model::record(typed, &atStop);
        model.touched << macroFile(name);
        if (!model.delayRecord) {
            model.macros[name].events = events;
            return true;
        }
        // Delays are measured on the clock: take the stored ones once the
        // keys between them are the ones typed.
        const QMap<QString, QString> file = readIni(scene.fileText(macroFile(name)));
        QStringList withDelays;
        for (int i = 0; i < events.size(); ++i) {
            const QString pause = file.value(QStringLiteral("macro/%1").arg(withDelays.size()));
            if (i > 0 && i < events.size() - atStop) {
                if (!pause.startsWith(QLatin1String("0,")))
                    return false;
                withDelays << pause;
            }
            withDelays << events.at(i);
        }
        model.macros[name].events = withDelays;
        return true;
    }

    bool toggleDelay()
    {
        model.commit();
        model.delayRecord = !model.delayRecord;
        log << QStringLiteral("delay box");
        return click(need("delayRecordBox"));
    }

    bool escape()
    {
        model.pending = Model::Pending();
        log << QStringLiteral("Escape");
        QTest::keyClick(&scene.view(), Qt::Key_Escape);
        return true;
    }

    bool closeEditor()
    {
        model.commit();
        model.editorOpen = false;
        log << QStringLiteral("close");
        return click(find(editor(), QStringLiteral("closeButton"))) && QTest::qWaitFor([this] {
                   return !editor()->isVisible();
               });
    }

    bool openEditor()
    {
        model.editorOpen = true;
        log << QStringLiteral("open");
        return click(need("macroEditorEntry")) && QTest::qWaitFor([this] {
                   return editor()->isVisible() && item("newMacroButton");
               });
    }

    bool bind(int button, int row)
    {
        const QString name = model.names.at(row);
        model.bindings[model.profile][button] = name;
        model.touched << profileFile(model.profile);
        log << QStringLiteral("bind %1 to button %2").arg(name).arg(button);
        QQuickItem *dialog = scene.item("keyAssigment");
        if (!click(need(QStringLiteral("keyRow%1").arg(button).toLatin1())) || !QTest::qWaitFor([dialog] {
                return dialog->isVisible();
            }))
            return false;
        QMetaObject::invokeMethod(dialog, "chooseMacro", Q_ARG(QVariant, row));
        if (!click(find(dialog, QStringLiteral("closeButton"))) || !QTest::qWaitFor([dialog] {
                return !dialog->isVisible();
            }))
            return false;
        return click(need("saveButton")) && waitEnabled();
    }

    // On the profile page: a row's name typed, then Enter, or a click on
    // the other row, or the close picture, or Escape; the page then closes.
    bool renameProfile(int row)
    {
        static const QStringList pool{QStringLiteral("work"), QStringLiteral("play"),
                                      QStringLiteral("second"), QStringLiteral(" gun "),
                                      QStringLiteral("Standard")};
        const QString name = pool.at(pick(int(pool.size())));
        const int then = pick(4);
        static const char *ends[] = {" + Enter", ", other row", ", close", ", Escape"};
        log << QStringLiteral("profile row %1 to '%2'%3").arg(row).arg(name, QLatin1String(ends[then]));
        QQuickItem *page = scene.item("profile");
        if (!click(need("configButton")) || !QTest::qWaitFor([page] {
                return page->isVisible();
            }))
            return false;
        QQuickItem *target = need(QStringLiteral("profileRow%1").arg(row).toLatin1());
        if (!target)
            return false;
        doubleClick(centre(target));
        if (!QTest::qWaitFor([this, target] {
                QQuickItem *field = find(target, QStringLiteral("profileNameInput"));
                return field && field->hasActiveFocus();
            }))
            return false;
        typeText(name);
        if (then == 0)
            QTest::keyClick(&scene.view(), Qt::Key_Return);
        else if (then == 1)
            click(need(QStringLiteral("profileRow%1").arg(1 - row).toLatin1()));
        else if (then == 3)
            QTest::keyClick(&scene.view(), Qt::Key_Escape);
        const QString trimmed = name.trimmed();
        if (then != 3 && !trimmed.isEmpty() && !model.profileNames.contains(trimmed)) {
            model.profileNames[row] = trimmed;
            model.touched << QStringLiteral("modules/setting/name.bin");
        }
        return click(find(page, QStringLiteral("closeButton"))) && QTest::qWaitFor([page] {
                   return !page->isVisible();
               });
    }

    bool switchProfile(int to)
    {
        model.commit();
        log << QStringLiteral("profile %1").arg(to);
        if (to != model.profile)
            model.touched << QStringLiteral("modules/setting/apConfig.bin") << profileFile(to);
        model.profile = to;
        QQuickItem *list = need("profileList");
        scene.click(list->mapToScene(QPointF(list->width() / 2, 12)).toPoint());
        if (!QTest::qWaitFor([list] {
                return list->property("isDrop").toBool() && !list->property("isAnimating").toBool();
            }))
            return false;
        if (!click(find(list, QStringLiteral("dropRow%1").arg(to))))
            return false;
        return QTest::qWaitFor([list] {
                   return !list->property("isDrop").toBool() && !list->property("isAnimating").toBool();
               })
               && waitEnabled();
    }

    // One step the state allows, chosen at random.
    bool step()
    {
        model.touched.clear();
        if (model.pending.kind != Model::Pending::None)
            model.touched << macroFile(model.pending.macro);
        const int count = int(model.names.size());
        if (!model.editorOpen) {
            const int r = pick(20);
            if (r < 11)
                return openEditor();
            if (r < 16 && count > 0)
                return bind(1 + pick(7), pick(count));
            if (r < 18)
                return renameProfile(pick(2));
            return switchProfile(1 - model.profile);
        }
        const bool hasMacro = model.current >= 0;
        QList<int> delays;
        if (hasMacro) {
            const QStringList &events = model.macros[model.currentName()].events;
            for (int i = 0; i < events.size(); ++i) {
                if (events.at(i).startsWith(QLatin1String("0,")))
                    delays << i;
            }
        }
        const bool renaming = model.pending.kind == Model::Pending::Name;
        const bool delaying = model.pending.kind == Model::Pending::Delay;
        // Weights out of 84: select 14, New 6, Delete 4, rename 8, Times 14,
        // a delay 10, record 10, the Delay box 4, Escape 6, close 8.
        for (;;) {
            const int r = pick(84);
            switch (r < 14   ? 0
                    : r < 20 ? 1
                    : r < 24 ? 2
                    : r < 32 ? 3
                    : r < 46 ? 4
                    : r < 56 ? 6
                    : r < 66 ? 7
                    : r < 70 ? 9
                    : r < 76 ? 10
                             : 11) {
            case 0:
                // A row other than the one being renamed, whose own clicks
                // go into its name.
                if (count > 1 || (count == 1 && !renaming)) {
                    int row = pick(count);
                    if (renaming && row == model.current)
                        row = (row + 1) % count;
                    return select(row);
                }
                break;
            case 1:
                if (count < 8)
                    return newMacro();
                break;
            case 2:
                return deleteMacro();
            case 3:
                if (count > 0 && !renaming)
                    return rename(pick(count), pick(2) == 0);
                break;
            case 4:
            case 5:
                if (hasMacro)
                    return times(pick(2) == 0);
                break;
            case 6:
                if (!delays.isEmpty() && !delaying)
                    return delay(delays.at(pick(int(delays.size()))), pick(2) == 0);
                break;
            case 7:
            case 8:
                if (hasMacro)
                    return recordKeys();
                break;
            case 9:
                return toggleDelay();
            case 10:
                if (model.pending.kind != Model::Pending::None)
                    return escape();
                break;
            default:
                return closeEditor();
            }
        }
    }

    // ---- Checks ----

    QString check(const QStringList &before)
    {
        settle();
        // The name list.
        const QMap<QString, QString> names =
            readIni(scene.fileText(QStringLiteral("modules/setting/name.bin")));
        QStringList stored = names.value(QStringLiteral("macro/macroName")).split(QStringLiteral(", "));
        if (stored.size() == 2 && stored.at(1) == QLatin1String("loadersentry"))
            stored.removeLast();
        if (stored == QStringList{QString()})
            stored.clear();
        if (stored != model.names)
            return QStringLiteral("name list %1, expected %2")
                .arg(stored.join(QLatin1Char('|')), model.names.join(QLatin1Char('|')));
        QStringList profiles = names.value(QStringLiteral("profile/profileName")).split(QStringLiteral(", "));
        for (int i = 0; i < profiles.size(); ++i)
            profiles[i].chop(1);
        if (profiles != model.profileNames)
            return QStringLiteral("profile names %1, expected %2")
                .arg(profiles.join(QLatin1Char('|')), model.profileNames.join(QLatin1Char('|')));
        // Each macro file.
        for (const QString &name : std::as_const(model.names)) {
            const QMap<QString, QString> file = readIni(scene.fileText(macroFile(name)));
            const Model::Macro &m = model.macros[name];
            QStringList events;
            for (int i = 0; file.contains(QStringLiteral("macro/%1").arg(i)); ++i)
                events << file.value(QStringLiteral("macro/%1").arg(i));
            const QString total = file.value(QStringLiteral("config/total"));
            const QString repeat = file.value(QStringLiteral("config/repeat"));
            if (events != m.events || total.toInt() != m.events.size() || repeat != QString::number(m.repeat))
                return QStringLiteral("%1: events %2 repeat %3, expected %4 repeat %5")
                    .arg(name, events.join(QLatin1Char('|')), repeat, m.events.join(QLatin1Char('|')))
                    .arg(m.repeat);
        }
        // Each bound slot of the mouse holds its macro.
        const QMap<int, QString> bound = model.bindings.value(model.profile);
        for (auto it = bound.begin(); it != bound.end(); ++it) {
            QByteArray expected =
                MacroEncoder::encodeStored(model.stored(it.value()), keys).leftJustified(128, '\0', true);
            if (scene.mouse->macro(it.key() + 1) != expected)
                return QStringLiteral("slot of button %1: %2, expected %3 (%4)")
                    .arg(it.key())
                    .arg(QString::fromLatin1(scene.mouse->macro(it.key() + 1).left(24).toHex(' ')),
                         QString::fromLatin1(expected.left(24).toHex(' ')), it.value());
        }
        // The Delay box shows its flag.
        if (QQuickItem *box = item("delayRecordBox")) {
            if (box->property("isSelect").toBool() != model.delayRecord)
                return QStringLiteral("the Delay box shows %1").arg(box->property("isSelect").toBool());
        }
        // Nothing else changed.
        const QStringList after = scene.tree.snapshot();
        QSet<QString> allowed;
        for (const QString &relative : std::as_const(model.touched))
            allowed << scene.tree.path(relative);
        const QSet<QString> was(before.begin(), before.end());
        const QSet<QString> now(after.begin(), after.end());
        for (const QString &entry : (was - now) + (now - was)) {
            const QString path = entry.left(entry.indexOf(QLatin1Char('=')));
            if (!allowed.contains(path))
                return QStringLiteral("%1 changed").arg(path);
        }
        return QString();
    }
};

} // namespace

class TestMacroModel : public QObject
{
    Q_OBJECT

private slots:
    void userSteps_data()
    {
        QTest::addColumn<quint32>("seed");
        const int single = envInt("KX20_MODEL_SEED", -1);
        const int seeds = envInt("KX20_MODEL_SEEDS", 12);
        for (int s = single >= 0 ? single : 1; s <= (single >= 0 ? single : seeds); ++s)
            QTest::addRow("seed %d", s) << quint32(s);
    }

    void userSteps()
    {
        QFETCH(quint32, seed);
        Run run(seed, seed % 2 ? ChipFamily::F553 : ChipFamily::F560);
        QVERIFY(run.start());
        const int steps = envInt("KX20_MODEL_STEPS", 40);
        for (int i = 0; i < steps; ++i) {
            const QStringList before = run.scene.tree.snapshot();
            const bool done = run.step();
            const QString fault = done ? run.check(before) : QStringLiteral("the step could not be made");
            QVERIFY2(fault.isEmpty(), qPrintable(QStringLiteral("seed %1, after: %2\n  %3")
                                                     .arg(seed)
                                                     .arg(run.log.join(QStringLiteral("; ")), fault)));
        }
        qDebug().noquote() << run.log.join(QStringLiteral("; "));
        const QString leftovers = run.scene.link.leftovers();
        QVERIFY2(leftovers.isEmpty(), qPrintable(leftovers));
    }
};

int main(int argc, char **argv)
{
    QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
    QApplication app(argc, argv);
    TestMacroModel test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_macromodel.moc"
