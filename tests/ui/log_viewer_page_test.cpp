// The "Napló" page on the offscreen platform: the log, an archived log, and the search.

#include "platform/sim/recording_sound.h"
#include "platform/sim/scripted_dialogs.h"
#include "platform/sim/virtual_time.h"
#include "platform/sqlite_registry.h"
#include "settings/connection_record.h"
#include "settings/settings_store.h"
#include "stats/daily_statistics.h"
#include "stats/session_log.h"
#include "tasks/program_log.h"
#include "ui/log_viewer_page.h"

#include <QDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <fstream>
#include <sstream>

using namespace vonalor;

namespace {

void writeBytes(const std::filesystem::path& file, const std::string& bytes) {
    std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
}

std::string readBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

// Two "Otthon", one "Kapcsolat", no "kapcsolat".
const char* const TwoSessions = "Kapcsolat neve: Otthon\r\nK\xFCld\xF6tt: 5\r\nKapcsolat neve: Otthon\r\n";

} // namespace

class LogViewerPageTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    ScriptedDialogs m_dialogs;
    RecordingSound m_sound;
    std::unique_ptr<LogViewerPage> m_page;

    std::filesystem::path home() const { return m_dir->path().toStdString(); }
    QPushButton* button(const char* name) const {
        return m_page->findChild<QPushButton*>(QLatin1String(name));
    }
    QStringList errors() const {
        QStringList texts;
        for (const auto& shown : m_dialogs.shown())
            texts << QString::fromStdString(shown.kind + ": " + shown.text);
        return texts;
    }
    // A search as the user makes it: the word typed into the find dialog, then "Find Next".
    void find(const QString& word) {
        auto* text = m_page->findDialog()->findChild<QLineEdit*>(QStringLiteral("FindText"));
        text->setText(word); // keyClicks takes Latin-1 only

        QTest::mouseClick(m_page->findDialog()->findChild<QPushButton*>(QStringLiteral("FindNext")),
                          Qt::LeftButton);
    }
    QPair<int, int> selection() const {
        const QTextCursor cursor = m_page->memo()->textCursor();
        return {cursor.selectionStart(), cursor.selectionEnd()};
    }

private slots:
    void init() {
        m_dir = std::make_unique<QTemporaryDir>();
        m_dialogs.clear();
        m_page = std::make_unique<LogViewerPage>(home(), m_dialogs, m_sound);
        m_page->resize(440, 400);
        m_page->show();
    }
    void cleanup() { m_page.reset(); }

    void thePageHasItsControls() {
        QVERIFY(m_page->memo());
        QCOMPARE(m_page->memo()->objectName(), QStringLiteral("Memo1"));
        QVERIFY(!m_page->memo()->isReadOnly());
        QCOMPARE(m_page->memo()->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        QCOMPARE(button("BitBtn7")->text(), QStringLiteral("Korábbi napló megnyitása"));
        QCOMPARE(button("BitBtn21")->text(), QStringLiteral("Keresés a naplóban"));
        QCOMPARE(m_page->findDialog()->objectName(), QStringLiteral("FindDialog1"));
    }

    void refreshShowsTheLogDecoded() {
        writeBytes(home() / "naplo.txt", TwoSessions);
        m_page->refresh();
        QCOMPARE(m_page->memo()->toPlainText(),
                 QStringLiteral("Kapcsolat neve: Otthon\nKüldött: 5\nKapcsolat neve: Otthon\n"));
    }

    void aMissingLogIsCreatedEmpty() {
        m_page->memo()->setPlainText(QStringLiteral("the user typed this"));
        QVERIFY(!std::filesystem::exists(home() / "naplo.txt"));
        m_page->refresh();
        QVERIFY(std::filesystem::exists(home() / "naplo.txt"));
        QCOMPARE(readBytes(home() / "naplo.txt"), std::string());
        QCOMPARE(m_page->memo()->toPlainText(), QString());
    }

    void afterABookingThePageEndsWithTheNewEntry() {
        VirtualTime time(DateTime{Date{2004, 10, 25}, TimeOfDay{9, 29, 11}});
        auto registry = SqliteRegistry::open(home() / "registry.db");
        ProgramLog log(time);
        SettingsStore store(*registry, log);
        CreateConnectionRecord(store, "Otthon");
        CreateDailyStatistics(home(), "Otthon", Date{2004, 10, 25});
        writeBytes(home() / "naplo.txt", TwoSessions);
        m_page->refresh();
        CloseSessionBooks(store, home(), time,
                          SessionFigures{"Otthon", true, "2004.10.25.", "9:05:31", "00", "23", "40", "142",
                                         "215 304", "1 860 115"});
        m_page->refresh();
        const QStringList lines = m_page->memo()->toPlainText().split(QLatin1Char('\n'));
        QCOMPARE(lines.size(), 3 + 14 + 1);
        QCOMPARE(lines[3], QStringLiteral("2004.10.25. 9:05:31 -- 2004.10.25. 9:29:11 internetezés adatai:"));
        QCOMPARE(lines[8], QStringLiteral("Kapcsolat költsége.................................:  142 Ft"));
        QCOMPARE(lines[15], QString(115, QLatin1Char('-')));
    }

    void anArchivedLogReplacesTheTextUntilThePageIsShownAgain() {
        writeBytes(home() / "naplo.txt", TwoSessions);
        std::filesystem::create_directory(home() / "Naplo");
        const std::filesystem::path archive = home() / "Naplo" / "2004.10.25. - 2004.11.25..txt";
        writeBytes(archive, "r\xE9gi id\xF5szak\r\n");
        m_page->refresh();

        QString caption, folder, filter;
        m_page->setFileChooser([&](QWidget*, const QString& c, const QString& f, const QString& fl) {
            caption = c;
            folder = f;
            filter = fl;
            return QString::fromStdString(archive.string());
        });
        QTest::mouseClick(button("BitBtn7"), Qt::LeftButton);
        QCOMPARE(caption, QStringLiteral("Napló megnyitása"));
        QCOMPARE(folder, QString::fromStdString((home() / "Naplo").string()));
        QCOMPARE(filter, QStringLiteral("Internetezési Napló (*.txt)"));
        QCOMPARE(m_page->memo()->toPlainText(), QStringLiteral("régi időszak\n"));

        m_page->refresh();
        QVERIFY(m_page->memo()->toPlainText().startsWith(QStringLiteral("Kapcsolat neve: Otthon")));
        QCOMPARE(readBytes(archive), std::string("r\xE9gi id\xF5szak\r\n"));
    }

    void cancellingOrAnUnreadableArchiveKeepsTheText() {
        writeBytes(home() / "naplo.txt", TwoSessions);
        m_page->refresh();
        const QString before = m_page->memo()->toPlainText();
        m_page->setFileChooser(
            [](QWidget*, const QString&, const QString&, const QString&) { return QString(); });
        QTest::mouseClick(button("BitBtn7"), Qt::LeftButton);
        QCOMPARE(m_page->memo()->toPlainText(), before);
        QVERIFY(errors().isEmpty());

        const std::filesystem::path missing = home() / "Naplo" / "nincs.txt";
        m_page->setFileChooser([&](QWidget*, const QString&, const QString&, const QString&) {
            return QString::fromStdString(missing.string());
        });
        QTest::mouseClick(button("BitBtn7"), Qt::LeftButton);
        QCOMPARE(m_page->memo()->toPlainText(), before);
        QCOMPARE(errors(), QStringList{QString::fromStdString("failureNotice: Cannot open file \"" +
                                                              missing.string() + "\".")});
    }

    void inHelpModeTheButtonOnlyShowsItsHint() {
        QStringList hints;
        bool chooserCalled = false;
        m_page->setFileChooser([&](QWidget*, const QString&, const QString&, const QString&) {
            chooserCalled = true;
            return QString();
        });
        m_page->setHelpHint([&](const std::string& hint) {
            hints << QString::fromStdString(hint);
            return true;
        });
        QTest::mouseClick(button("BitBtn7"), Qt::LeftButton);
        QCOMPARE(hints, QStringList{QStringLiteral("Megnyithatja a  korábbi hónapok internetezéseit!")});
        QVERIFY(!chooserCalled);
        m_page->setHelpHint([](const std::string&) { return false; });
        QTest::mouseClick(button("BitBtn7"), Qt::LeftButton);
        QVERIFY(chooserCalled);
    }

    void aWordFoundTwiceThenNotAgainThenFromTheStart() {
        writeBytes(home() / "naplo.txt", TwoSessions);
        m_page->refresh();
        QTest::mouseClick(button("BitBtn21"), Qt::LeftButton);
        QVERIFY(m_page->findDialog()->isVisible());
        QVERIFY(!m_page->findDialog()->isModal());
        const int second =
            static_cast<int>(m_page->memo()->toPlainText().lastIndexOf(QStringLiteral("Otthon")));

        find(QStringLiteral("Otthon"));
        QCOMPARE(selection(), qMakePair(16, 22));
        QCOMPARE(m_page->searchState(), 17);
        QCOMPARE(m_page->focusWidget(), m_page->memo());
        find(QStringLiteral("Otthon"));
        QCOMPARE(selection(), qMakePair(second, second + 6));
        QVERIFY(errors().isEmpty());
        find(QStringLiteral("Otthon"));
        QCOMPARE(errors(), QStringList{QStringLiteral(
                               "plainError: A(z) \"Otthon\" szó nem szerepel többször a naplóban!")});
        QCOMPARE(m_page->searchState(), 0);
        find(QStringLiteral("Otthon"));
        QCOMPARE(selection(), qMakePair(16, 22));
        QCOMPARE(errors().size(), 1);
    }

    void aWordNotFoundIsReportedAtOnceAndTheSearchIsCaseSensitive() {
        writeBytes(home() / "naplo.txt", TwoSessions);
        m_page->refresh();
        QTest::mouseClick(button("BitBtn21"), Qt::LeftButton);
        const struct { const char* word; } cases[] = {{"kapcsolat"}, {"Mobil"}, {"otthon"}, {""}};
        for (const auto& c : cases) {
            m_dialogs.clear();
            find(QString::fromUtf8(c.word));
            QCOMPARE(errors(),
                     QStringList{QStringLiteral("plainError: A(z) \"%1\" szó nem szerepel a naplóban!")
                                     .arg(QString::fromUtf8(c.word))});
        }
        find(QStringLiteral("Kapcsolat"));
        QCOMPARE(selection(), qMakePair(0, 9));
        find(QStringLiteral("Küldött"));
        QCOMPARE(selection(), qMakePair(23, 30));
    }

    void reopeningTheFindDialogStartsFromTheBeginning() {
        writeBytes(home() / "naplo.txt", TwoSessions);
        m_page->refresh();
        QTest::mouseClick(button("BitBtn21"), Qt::LeftButton);
        find(QStringLiteral("Otthon"));
        find(QStringLiteral("Otthon"));
        QVERIFY(m_page->searchState() > 17);
        QTest::mouseClick(button("BitBtn21"), Qt::LeftButton);
        QCOMPARE(m_page->searchState(), 0);
        find(QStringLiteral("Otthon"));
        QCOMPARE(selection(), qMakePair(16, 22));
    }

    void theUsersEditsAreSearchedButNeverWritten() {
        writeBytes(home() / "naplo.txt", TwoSessions);
        m_page->refresh();
        m_page->memo()->setPlainText(QStringLiteral("Mobil"));
        QTest::mouseClick(button("BitBtn21"), Qt::LeftButton);
        find(QStringLiteral("Mobil"));
        QCOMPARE(selection(), qMakePair(0, 5));
        m_page->refresh();
        QCOMPARE(readBytes(home() / "naplo.txt"), std::string(TwoSessions));
        QVERIFY(m_page->memo()->toPlainText().startsWith(QStringLiteral("Kapcsolat")));
    }
};

QTEST_MAIN(LogViewerPageTest)
#include "log_viewer_page_test.moc"
