// A long random round of player actions on the real windows, checking after
// every action that nothing a player can do breaks the windows' promises.
// Every search is judged against the reference search, from what a player
// sees: prompts, messages, the caret and the marked match.
// The round is the same on every run. MORVANE2_STRESS_SEED=<seed> replays
// another one (a failure names its seed), MORVANE2_STRESS_SEED=random takes
// a new seed from the clock for a soak; MORVANE2_STRESS_ACTIONS sets the
// length of the round.

#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QDateTime>
#include <QLineEdit>
#include <QMenu>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTextBlock>
#include <QtTest>

#include <array>
#include <numeric>

#include "about/frmabout.h"
#include "aboutwindow.h"
#include "catalogue_entries.h"
#include "app/catalogue.h"
#include "app/form1.h"
#include "app/startup.h"
#include "app/textarea.h"
#include "common/links.h"
#include "reference_search.h"
#include "scripteddialogs.h"
#include "toplevel.h"

namespace {

// The round every run repeats: it finds matches, steps on with Find next and opens links.
constexpr quint32 kDefaultSeed = 20261207;
constexpr int kDefaultActions = 2000;
constexpr int kLogLength = 8; // actions named in a failure message

enum Kind {
    MenuCommand, // a menu entry triggered
    MenuKey, // Ctrl+F or F3
    MenuMnemonic, // Alt+F or Alt+S, arrows, Enter
    WindowSize, // resize, minimise, maximise, restore
    AboutWindow, // About shown, hidden, closed
    ListKey, // navigation keys, Enter and Return in the list's text field
    ListPopup, // an entry chosen from the open list, or the list closed
    ListTyping, // ASCII keys or Chinese through the input method
    AboutPress, // a mouse press on a control or the About window's surface
    TextKey, // keyboard in the catalogue
    TextMouse, // mouse in the catalogue
    KindCount
};

constexpr std::array<const char *, KindCount> kKindNames{"menu command", "menu key",
    "menu mnemonic", "window size", "About window", "list key", "list popup", "list typing",
    "About press", "text key", "text mouse"};
constexpr std::array<int, KindCount> kKindWeights{14, 8, 4, 8, 6, 10, 6, 6, 10, 16, 12};

QString codePoints(const QString &s)
{
    QString out;
    for (qsizetype i = 0; i < qMin<qsizetype>(s.size(), 12); ++i)
        out += QStringLiteral("U+%1 ").arg(s[i].unicode(), 4, 16, QLatin1Char('0'));
    if (s.size() > 12)
        out += QStringLiteral("... (%1 units)").arg(s.size());
    return out.trimmed();
}

// The offscreen platform can neither raise a window nor grab the keyboard,
// and says so each time: thousands of times in a round.
QtMessageHandler previousHandler = nullptr;
void dropPlatformGaps(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtWarningMsg && message.startsWith(u"This plugin does not support "_qs))
        return;
    previousHandler(type, context, message);
}

// The marked match as indices into the text; -1 when nothing is marked.
struct Mark
{
    qsizetype start = -1;
    qsizetype end = -1;
    bool operator==(const Mark &) const = default;
};

// Where the caret or an end of the mark shows for an index into the text:
// one at the LF of a CR LF pair shows at the end of that line.
qsizetype shownAt(qsizetype index)
{
    const QString &cat = catalogue::text();
    const bool atLineFeed
        = index > 0 && index < cat.size() && cat[index] == u'\n' && cat[index - 1] == u'\r';
    return atLineFeed ? index - 1 : index;
}

Mark shownMark(const TextArea *text)
{
    const QList<QTextEdit::ExtraSelection> marks = text->extraSelections();
    if (marks.isEmpty())
        return {};
    // The document has one separator where the text has CR LF.
    const auto indexOf = [text](int position) {
        return qsizetype(position) + text->document()->findBlock(position).blockNumber();
    };
    return {indexOf(marks.first().cursor.selectionStart()),
        indexOf(marks.first().cursor.selectionEnd())};
}

} // namespace

class TestStress : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void randomRound();
    void cleanupTestCase();

private:
    // Random choices.
    int below(int n) { return int(rng.bounded(n)); }
    bool chance(int percent) { return below(100) < percent; }
    template<std::size_t N> int weighted(const std::array<int, N> &weights);
    QPoint pointIn(const QWidget *w);
    Qt::MouseButton anyButton();
    QString catalogueSlice(int maxLength);
    QString fullWidth(const QString &s);
    QString randomCase(const QString &s);
    QString randomAnswer();

    // The actions; each returns what it did, for the failure message.
    QString act(Kind kind);
    QString menuCommand();
    QString menuKey();
    QString menuMnemonic();
    QString windowSize();
    QString aboutWindow();
    QString listKey();
    QString listPopup();
    QString listTyping();
    QString aboutPress();
    QString textKey();
    QString textMouse();
    QString ensureAboutShown();
    void dismissPopups();

    // Empty while everything holds, else what broke.
    QString brokenInvariant();
    QString searchFault(qsizetype promptsBefore, qsizetype messagesBefore, const Mark &markBefore);

    QRandomGenerator rng;
    quint32 seed = 0;
    Form1 *window = nullptr; // lives for the round
    TextArea *text = nullptr;
    ScriptedDialogs *dialogs = nullptr; // owned by the window
    QString lastAnswer; // to the last prompt
    bool commandTriggered = false; // Find or Find next, by the action itself
    QList<OpenedLink> opened;
    qsizetype openedChecked = 0;
    QStringList codes; // the catalogue's item codes
    QStringList runs; // the catalogue's runs of one repeated character
    QStringList entries; // the list's entries, from links::kLinks
    QStringList tags; // the pictures' addresses, from links::kLinks

    // The search as the round so far left it: the text of the last search
    // that found something and the 1-based position of the last match.
    QString searchText;
    qsizetype searchPos = 0;

    std::array<int, KindCount> counts{};
    int searchesFound = 0;
};

void TestStress::initTestCase()
{
    previousHandler = qInstallMessageHandler(dropPlatformGaps);
    startup::describeApplication();
    const QString &cat = catalogue::text();
    const QList<CatalogueEntry> all = catalogueEntries(cat);
    for (const CatalogueEntry &e : all)
        codes << e.code;
    static const QRegularExpression run(QStringLiteral("([^\r\n])\\1+"));
    for (QRegularExpressionMatchIterator it = run.globalMatch(cat); it.hasNext();)
        runs << it.next().captured(0);
    QVERIFY2(codes.size() == 300 && !runs.isEmpty(),
        qPrintable(QStringLiteral("%1 codes, %2 runs").arg(codes.size()).arg(runs.size())));
    for (const links::Link &link : links::kLinks) {
        entries << QString::fromUtf8(link.entry);
        tags << QString::fromLatin1(link.tag);
    }
}

void TestStress::cleanupTestCase()
{
    qInstallMessageHandler(previousHandler);
}

template<std::size_t N> int TestStress::weighted(const std::array<int, N> &weights)
{
    int r = below(std::accumulate(weights.begin(), weights.end(), 0));
    for (std::size_t i = 0; i < N; ++i) {
        if (r < weights[i])
            return int(i);
        r -= weights[i];
    }
    return int(N - 1);
}

QPoint TestStress::pointIn(const QWidget *w)
{
    return QPoint(below(qMax(1, w->width())), below(qMax(1, w->height())));
}

Qt::MouseButton TestStress::anyButton()
{
    static constexpr std::array<Qt::MouseButton, 5> buttons{
        Qt::LeftButton, Qt::RightButton, Qt::MiddleButton, Qt::BackButton, Qt::ForwardButton};
    return buttons[weighted(std::array{6, 2, 1, 1, 1})];
}

QString TestStress::catalogueSlice(int maxLength)
{
    const QString &cat = catalogue::text();
    const int length = 1 + below(maxLength);
    return cat.mid(below(int(cat.size() - length)), length);
}

QString TestStress::fullWidth(const QString &s)
{
    QString out = s;
    for (QChar &c : out) {
        if (c.unicode() > 0x20 && c.unicode() < 0x7F && chance(70))
            c = QChar(char16_t(c.unicode() + 0xFEE0));
        else if (c == u' ')
            c = QChar(u'\u3000');
    }
    return out;
}

QString TestStress::randomCase(const QString &s)
{
    QString out = s;
    for (QChar &c : out)
        c = chance(50) ? c.toLower() : c.toUpper();
    return out;
}

QString TestStress::randomAnswer()
{
    const QString &cat = catalogue::text();
    switch (weighted(std::array{10, 35, 12, 8, 4, 6, 5, 4, 6})) {
    case 0: // cancelled, or OK on an empty field
        return {};
    case 1: // now and then all but one of a run like ０００: its matches touch or overlap
        if (chance(20))
            return runs[below(int(runs.size()))].chopped(1);
        return catalogueSlice(chance(80) ? 6 : 60);
    case 2:
        return randomCase(codes[below(int(codes.size()))]);
    case 3:
        return fullWidth(
            chance(50) ? randomCase(codes[below(int(codes.size()))]) : catalogueSlice(8));
    case 4: // longer than the whole catalogue
        return chance(50) ? cat + catalogueSlice(3)
                          : QString(cat.size() + 1 + below(5000), QChar(u'药'));
    case 5: {
        static constexpr std::array<char16_t, 4> controls{u'\u0014', u'\r', u'\n', u'\0'};
        QString s;
        for (int n = 1 + below(4); n > 0; --n)
            s += QChar(controls[below(4)]);
        return chance(30) ? catalogueSlice(4) + s : s;
    }
    case 6: { // a supplementary character, sometimes one with a case folding
        const char32_t code
            = chance(50) ? char32_t(0x10400 + below(0x50)) : char32_t(0x10000 + below(0xF0000));
        const QString pair = QString::fromUcs4(&code, 1);
        return chance(50) ? pair : catalogueSlice(3) + pair;
    }
    case 7: {
        const QChar lone(char16_t(chance(50) ? 0xD800 + below(0x400) : 0xDC00 + below(0x400)));
        return chance(50) ? QString(lone) : catalogueSlice(3) + lone;
    }
    default: {
        QString s;
        for (int n = 1 + below(40); n > 0; --n)
            s += QChar(char16_t(1 + below(0xFFFF)));
        return s;
    }
    }
}

void TestStress::dismissPopups()
{
    // A player's next press outside an open menu or list only closes it.
    for (int guard = 0; guard < 5; ++guard) {
        QWidget *popup = QApplication::activePopupWidget();
        if (!popup)
            return;
        if (chance(50))
            QTest::keyClick(popup, Qt::Key_Escape);
        else
            popup->close();
    }
}

QString TestStress::act(Kind kind)
{
    switch (kind) {
    case MenuCommand:
        return menuCommand();
    case MenuKey:
        return menuKey();
    case MenuMnemonic:
        return menuMnemonic();
    case WindowSize:
        return windowSize();
    case AboutWindow:
        return aboutWindow();
    case ListKey:
        return listKey();
    case ListPopup:
        return listPopup();
    case ListTyping:
        return listTyping();
    case AboutPress:
        return aboutPress();
    case TextKey:
        return textKey();
    case TextMouse:
        return textMouse();
    case KindCount:
        break;
    }
    return {};
}

QString TestStress::menuCommand()
{
    static constexpr std::array<const char *, 5> names{
        "mnuFontSize", "mnuColor", "mnuFind", "mnuFindNext", "mnuAbout"};
    const int which = weighted(std::array{3, 2, 4, 4, 1});
    const QList<QAction *> actions
        = window->findChildren<QAction *>(QString::fromLatin1(names[which]));
    const int index = below(int(actions.size()));
    actions[index]->trigger();
    commandTriggered = which == 2 || which == 3;
    return QStringLiteral("%1(%2) triggered").arg(QString::fromLatin1(names[which])).arg(index);
}

QString TestStress::menuKey()
{
    // Mostly after the player has gone back to the main window; otherwise
    // the keys reach an inactive window and must do nothing.
    if (chance(80)) {
        window->activateWindow();
        QCoreApplication::processEvents();
    }
    QWidget *target = chance(50) ? static_cast<QWidget *>(text) : window;
    if (chance(40)) {
        QTest::keyClick(target, Qt::Key_F, Qt::ControlModifier);
        return QStringLiteral("Ctrl+F");
    }
    QTest::keyClick(target, Qt::Key_F3);
    return QStringLiteral("F3");
}

QString TestStress::menuMnemonic()
{
    if (chance(80)) {
        window->activateWindow();
        QCoreApplication::processEvents();
    }
    const bool font = chance(50);
    QTest::keyClick(text, font ? Qt::Key_F : Qt::Key_S, Qt::AltModifier);
    QMenu *menu = window->findChild<QMenu *>(font ? u"mnuFont"_qs : u"mnuFindMain"_qs);
    QString done = font ? u"Alt+F"_qs : u"Alt+S"_qs;
    if (!menu->isVisible())
        return done + u" (no menu)"_qs;
    for (int n = below(6); n > 0; --n) {
        QTest::keyClick(menu, Qt::Key_Down);
        done += u" Down"_qs;
    }
    static constexpr std::array<Qt::Key, 3> finish{Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape};
    const Qt::Key key = finish[weighted(std::array{4, 4, 1})];
    QTest::keyClick(menu, key);
    return done + (key == Qt::Key_Escape ? u" Escape"_qs : u" Enter"_qs);
}

QString TestStress::windowSize()
{
    // A huge window costs about a second a paint: rare enough for a short round.
    switch (weighted(std::array{10, 10, 1, 40, 10, 15, 10})) {
    case 0:
        window->resize(0, 0);
        return QStringLiteral("resize 0x0");
    case 1:
        window->resize(1, 1);
        return QStringLiteral("resize 1x1");
    case 2:
        window->resize(20000, 20000);
        return QStringLiteral("resize 20000x20000");
    case 3: {
        const QSize size(below(1600), below(1200));
        window->resize(size);
        return QStringLiteral("resize %1x%2").arg(size.width()).arg(size.height());
    }
    case 4:
        window->showMinimized();
        return QStringLiteral("minimise");
    case 5:
        window->showNormal();
        return QStringLiteral("restore");
    default:
        window->showMaximized();
        return QStringLiteral("maximise");
    }
}

QString TestStress::ensureAboutShown()
{
    frmAbout *about = topLevel<frmAbout>();
    if (about && about->isVisible())
        return {};
    window->findChild<QAction *>(u"mnuAbout"_qs)->trigger();
    return QStringLiteral("About shown, ");
}

QString TestStress::aboutWindow()
{
    frmAbout *about = topLevel<frmAbout>();
    if (!about || !about->isVisible() || chance(20)) {
        window->findChild<QAction *>(u"mnuAbout"_qs)->trigger();
        return QStringLiteral("About command");
    }
    if (chance(50)) {
        about->hide();
        return QStringLiteral("About hidden");
    }
    about->close();
    return QStringLiteral("About closed");
}

QString TestStress::listKey()
{
    QString done = ensureAboutShown();
    auto *combo = topLevel<frmAbout>()->findChild<QComboBox *>(u"Combo1"_qs);
    static constexpr std::array<Qt::Key, 8> keys{Qt::Key_Up, Qt::Key_Down, Qt::Key_PageUp,
        Qt::Key_PageDown, Qt::Key_Home, Qt::Key_End, Qt::Key_Enter, Qt::Key_Return};
    static constexpr std::array<const char *, 8> names{
        "Up", "Down", "PageUp", "PageDown", "Home", "End", "Enter", "Return"};
    const int k = weighted(std::array{5, 5, 2, 2, 2, 2, 1, 1});
    QTest::keyClick(combo->lineEdit(), keys[k]);
    return done + QStringLiteral("list key %1").arg(QString::fromLatin1(names[k]));
}

QString TestStress::listPopup()
{
    QString done = ensureAboutShown();
    auto *combo = topLevel<frmAbout>()->findChild<QComboBox *>(u"Combo1"_qs);
    combo->showPopup();
    QAbstractItemView *view = combo->view();
    if (!view->isVisible())
        QCoreApplication::processEvents();
    if (!view->isVisible())
        return done + u"popup did not open"_qs;
    if (chance(30)) {
        combo->hidePopup();
        return done + u"popup opened and closed"_qs;
    }
    const int index = below(combo->count());
    const QRect item = view->visualRect(view->model()->index(index, 0));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, item.center());
    return done + QStringLiteral("entry %1 clicked in the popup").arg(index);
}

QString TestStress::listTyping()
{
    QString done = ensureAboutShown();
    auto *combo = topLevel<frmAbout>()->findChild<QComboBox *>(u"Combo1"_qs);
    QLineEdit *field = combo->lineEdit();
    if (chance(40))
        field->selectAll();
    QString typed;
    switch (below(3)) {
    case 0: // ASCII keys
        for (int n = 1 + below(12); n > 0; --n)
            typed += QChar(char16_t(0x20 + below(0x5F)));
        QTest::keyClicks(field, typed);
        done += u"typed keys"_qs;
        break;
    case 1: { // Chinese: an entry's text or a piece of the catalogue
        typed = chance(40) ? entries[below(3)] : catalogueSlice(6);
        typeThroughInputMethod(field, typed);
        done += u"input method"_qs;
        break;
    }
    default: // an address typed out
        typed = tags[below(3)];
        QTest::keyClicks(field, typed);
        done += u"typed an address"_qs;
        break;
    }
    if (chance(40)) {
        QTest::keyClick(field, chance(50) ? Qt::Key_Return : Qt::Key_Enter);
        done += u" + Enter"_qs;
    }
    return done + QStringLiteral(" [%1]").arg(codePoints(typed));
}

QString TestStress::aboutPress()
{
    QString done = ensureAboutShown();
    frmAbout *about = topLevel<frmAbout>();
    QWidget *target = nullptr;
    QPoint at;
    const int choice = below(8);
    if (choice == 7) {
        // Wherever the pointer lands on the window, the control under it gets the press.
        const QPoint p = pointIn(about);
        QWidget *under = about->childAt(p);
        target = under ? under : about;
        at = target->mapFrom(about, p);
    } else {
        static constexpr std::array<const char *, 4> named{
            "lblTitle", "lblVersion", "Combo1", "imgURL"};
        if (choice < 3) {
            target = about->findChild<QWidget *>(QString::fromLatin1(named[choice]));
        } else if (choice == 3) {
            target = about->findChild<QComboBox *>(u"Combo1"_qs)->lineEdit();
        } else {
            const QList<ImageControl *> pictures
                = about->findChildren<ImageControl *>(u"imgURL"_qs);
            target = pictures[choice - 4];
        }
        at = pointIn(target);
    }
    const Qt::MouseButton button = anyButton();
    if (chance(15))
        QTest::mouseDClick(target, button, {}, at);
    else
        QTest::mouseClick(target, button, {}, at);
    return done
        + QStringLiteral("button %1 on %2 at %3,%4")
              .arg(int(button))
              .arg(target->objectName().isEmpty()
                      ? QString::fromLatin1(target->metaObject()->className())
                      : target->objectName())
              .arg(at.x())
              .arg(at.y());
}

QString TestStress::textKey()
{
    struct Press
    {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        const char *name;
    };
    static const std::array<Press, 18> presses{{
        {Qt::Key_Up, {}, "Up"},
        {Qt::Key_Down, {}, "Down"},
        {Qt::Key_Left, {}, "Left"},
        {Qt::Key_Right, {}, "Right"},
        {Qt::Key_PageUp, {}, "PageUp"},
        {Qt::Key_PageDown, {}, "PageDown"},
        {Qt::Key_Home, {}, "Home"},
        {Qt::Key_End, {}, "End"},
        {Qt::Key_Home, Qt::ControlModifier, "Ctrl+Home"},
        {Qt::Key_End, Qt::ControlModifier, "Ctrl+End"},
        {Qt::Key_Down, Qt::ShiftModifier, "Shift+Down"},
        {Qt::Key_Right, Qt::ControlModifier | Qt::ShiftModifier, "Ctrl+Shift+Right"},
        // A read-only reference: none of these may change the text.
        {Qt::Key_X, {}, "x"},
        {Qt::Key_Backspace, {}, "Backspace"},
        {Qt::Key_Delete, {}, "Delete"},
        {Qt::Key_Return, {}, "Return"},
        {Qt::Key_V, Qt::ControlModifier, "Ctrl+V"},
        {Qt::Key_X, Qt::ControlModifier, "Ctrl+X"},
    }};
    const Press &p
        = presses[weighted(std::array{6, 6, 5, 5, 4, 4, 2, 2, 3, 3, 2, 2, 1, 1, 1, 1, 1, 1})];
    QTest::keyClick(text, p.key, p.modifiers);
    return QStringLiteral("text key %1").arg(QString::fromLatin1(p.name));
}

QString TestStress::textMouse()
{
    QWidget *viewport = text->viewport();
    const QPoint at = pointIn(viewport);
    const Qt::MouseButton button = anyButton();
    const Qt::KeyboardModifiers modifiers = chance(15) ? Qt::ShiftModifier : Qt::NoModifier;
    const QString where = QStringLiteral("at %1,%2").arg(at.x()).arg(at.y());
    switch (weighted(std::array{6, 1, 2})) {
    case 0:
        QTest::mouseClick(viewport, button, modifiers, at);
        return QStringLiteral("text click, button %1 ").arg(int(button)) + where;
    case 1:
        QTest::mouseDClick(viewport, button, modifiers, at);
        return QStringLiteral("text double click, button %1 ").arg(int(button)) + where;
    default: {
        const QPoint to = pointIn(viewport);
        QTest::mousePress(viewport, Qt::LeftButton, modifiers, at);
        QTest::mouseMove(viewport, to);
        QTest::mouseRelease(viewport, Qt::LeftButton, modifiers, to);
        return QStringLiteral("text drag %1 to %2,%3").arg(where).arg(to.x()).arg(to.y());
    }
    }
}

QString TestStress::brokenInvariant()
{
    const QRect client(QPoint(0, 0), window->centralWidget()->size());
    if (text->geometry() != client) {
        QString where;
        QDebug(&where) << "the text area is at" << text->geometry() << "in a client area" << client;
        return where;
    }
    const QString &shown = text->text();
    if (shown != catalogue::text())
        return QStringLiteral("the catalogue text changed (%1 characters now)").arg(shown.size());
    const qsizetype caret = text->caretIndex();
    if (caret < 0 || caret > shown.size())
        return QStringLiteral("the caret is at %1, outside the text").arg(caret);

    if (const frmAbout *about = topLevel<frmAbout>()) {
        const auto *combo = about->findChild<QComboBox *>(u"Combo1"_qs);
        if (combo->count() != entries.size())
            return QStringLiteral("the list holds %1 entries").arg(combo->count());
        for (int i = 0; i < combo->count(); ++i) {
            if (combo->itemText(i) != entries[i])
                return QStringLiteral("list entry %1 reads \"%2\"").arg(i).arg(combo->itemText(i));
        }
    }
    for (; openedChecked < opened.size(); ++openedChecked) {
        const OpenedLink &o = opened[openedChecked];
        if (!tags.contains(o.address))
            return QStringLiteral("opened the address \"%1\"").arg(o.address);
        if (o.owner != topLevel<frmAbout>())
            return QStringLiteral("opened %1 for an owner that is not the About window")
                .arg(o.address);
    }
    if (QWidget *modal = QApplication::activeModalWidget()) {
        return QStringLiteral("a modal %1 is left open")
            .arg(QString::fromLatin1(modal->metaObject()->className()));
    }
    return {};
}

// What one action did to the search, judged from what a player sees by the
// reference search and the round's own record: a prompt offers the last search
// that found something; its answer moves to the first match or, finding none,
// says so and keeps the earlier search; a Find next moves on to the next match
// or says it is done. Only a search marks a match: a new mark without a prompt
// is a Find next.
QString TestStress::searchFault(
    qsizetype promptsBefore, qsizetype messagesBefore, const Mark &markBefore)
{
    const qsizetype prompts = dialogs->prompts.size() - promptsBefore;
    const qsizetype messages = dialogs->messages.size() - messagesBefore;
    if (prompts > 1 || messages > 1)
        return QStringLiteral("more than one prompt or message in one action");
    const Mark mark = shownMark(text);
    const bool newMark = mark.start >= 0 && mark != markBefore;
    if (prompts == 0 && messages == 0 && !newMark) // no search ran, unless a command did
        return commandTriggered ? QStringLiteral("Find or Find next left no trace") : QString();
    if (prompts == 0 && searchText.isEmpty())
        return QStringLiteral("Find next with no earlier search did not ask");

    QString what = searchText;
    qsizetype from = searchPos + 1;
    if (prompts == 1) {
        const QString &offered = dialogs->prompts.last().defaultText;
        if (offered != searchText)
            return QStringLiteral("the prompt offers [%1], the last search was [%2]")
                .arg(codePoints(offered), codePoints(searchText));
        what = lastAnswer;
        from = 1;
        if (what.isEmpty()) {
            if (newMark || messages != 0)
                return QStringLiteral("a cancelled prompt marked a match or said something");
            return {};
        }
    }
    const qsizetype found = reference::findText(text->text(), what, from);
    if (found == 0) {
        if (newMark || messages != 1)
            return QStringLiteral("a search for [%1] that finds nothing: %2 messages, mark at %3")
                .arg(codePoints(what), QString::number(messages), QString::number(mark.start));
        return {};
    }
    if (messages != 0)
        return QStringLiteral("a message although [%1] occurs at %2")
            .arg(codePoints(what), QString::number(found));
    // The caret goes to the match and its characters are marked.
    const Mark expected{shownAt(found - 1), shownAt(found - 1 + what.size())};
    const qsizetype caret = text->caretIndex();
    if (mark != expected || caret != expected.start) {
        return QStringLiteral("[%1] found at %2 shows the caret at %3 and marks %4 to %5")
            .arg(codePoints(what), QString::number(found), QString::number(caret),
                QString::number(mark.start), QString::number(mark.end));
    }
    searchText = what;
    searchPos = found;
    ++searchesFound;
    return {};
}

void TestStress::randomRound()
{
    bool ok = true;
    const QByteArray seedVariable = qgetenv("MORVANE2_STRESS_SEED");
    seed = seedVariable.isEmpty()  ? kDefaultSeed
        : seedVariable == "random" ? quint32(QDateTime::currentMSecsSinceEpoch())
                                   : seedVariable.toUInt(&ok);
    QVERIFY2(ok, "MORVANE2_STRESS_SEED is neither a number nor \"random\"");
    const QByteArray actionsVariable = qgetenv("MORVANE2_STRESS_ACTIONS");
    const int actions = actionsVariable.isEmpty() ? kDefaultActions : actionsVariable.toInt(&ok);
    QVERIFY2(ok && actions >= 0, "MORVANE2_STRESS_ACTIONS is not a count");
    rng.seed(seed);
    qInfo("stress round: seed %u, %d actions (replay with MORVANE2_STRESS_SEED=%u)", seed, actions,
        seed);

    const auto owned = std::make_unique<Form1>(makeScriptedDialogs(dialogs), recordLinks(opened));
    dialogs->nextAnswer = [this] { return lastAnswer = randomAnswer(); };
    window = owned.get();
    QCOMPARE(dialogs->owner, window); // the prompt and message are the window's
    window->show();
    QVERIFY(QTest::qWaitForWindowActive(window));
    text = window->findChild<TextArea *>(u"Text1"_qs);
    QVERIFY(text);

    QStringList log;
    for (int n = 1; n <= actions; ++n) {
        dismissPopups();
        const qsizetype promptsBefore = dialogs->prompts.size();
        const qsizetype messagesBefore = dialogs->messages.size();
        const Mark markBefore = shownMark(text);
        commandTriggered = false;

        const auto kind = Kind(weighted(kKindWeights));
        ++counts[kind];
        log << QStringLiteral("#%1 %2").arg(n).arg(act(kind));
        if (log.size() > kLogLength)
            log.removeFirst();
        QCoreApplication::processEvents();

        QString broken = searchFault(promptsBefore, messagesBefore, markBefore);
        if (broken.isEmpty())
            broken = brokenInvariant();
        QVERIFY2(broken.isEmpty(),
            qPrintable(QStringLiteral("seed %1, action %2: %3\n  replay with "
                                      "MORVANE2_STRESS_SEED=%1 MORVANE2_STRESS_ACTIONS=%2\n  "
                                      "last actions:\n    %4")
                           .arg(seed)
                           .arg(n)
                           .arg(broken, log.join(u"\n    "_qs))));
    }

    QStringList tally;
    for (int k = 0; k < KindCount; ++k)
        tally << QStringLiteral("%1 %2").arg(QString::fromLatin1(kKindNames[k])).arg(counts[k]);
    qInfo("stress round done: seed %u, %d actions (%s); %d prompts, %d searches found a match, "
          "%d \"finished\" messages, %d links opened",
        seed, actions, qPrintable(tally.join(u", "_qs)), int(dialogs->prompts.size()),
        searchesFound, int(dialogs->messages.size()), int(opened.size()));
    // A round that never searched or opened a link proved little.
    if (actions >= 1000) {
        QVERIFY2(searchesFound > 0 && !opened.isEmpty(),
            qPrintable(QStringLiteral("seed %1: the round exercised too little").arg(seed)));
    }
}

QTEST_MAIN(TestStress)
#include "tst_stress.moc"
