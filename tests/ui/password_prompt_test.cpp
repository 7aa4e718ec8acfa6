#include "platform/sim/scripted_dialogs.h"
#include "platform/sim/virtual_time.h"
#include "platform/sqlite_registry.h"
#include "settings/settings_store.h"
#include "tasks/program_log.h"
#include "ui/password_prompt.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

using namespace vonalor;

class PasswordPromptTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    std::unique_ptr<SqliteRegistry> m_registry;
    std::unique_ptr<VirtualTime> m_time;
    std::unique_ptr<ProgramLog> m_log;
    std::unique_ptr<SettingsStore> m_store;
    ScriptedDialogs m_dialogs;

    void type(PasswordPrompt& prompt, const QString& text) {
        auto* edit = prompt.findChild<QLineEdit*>(QStringLiteral("Edit1"));
        edit->clear();
        QTest::keyClicks(edit, text);
    }
    QPushButton* button(PasswordPrompt& prompt, const QString& label) {
        for (auto* b : prompt.findChildren<QPushButton*>()) {
            if (b->text() == label)
                return b;
        }
        return nullptr;
    }

private slots:
    void init() {
        m_registry = SqliteRegistry::open(std::filesystem::path(m_dir.path().toStdString()) / "registry.db");
        m_time = std::make_unique<VirtualTime>(DateTime{});
        m_log = std::make_unique<ProgramLog>(*m_time);
        m_store = std::make_unique<SettingsStore>(*m_registry, *m_log);
        m_store->WriteKeyValue(PasswordKey, "Jelszo", "Titok");
        m_dialogs.clear();
    }

    void looksAsTheStartPromptShould() {
        PasswordPrompt prompt(PasswordPrompt::Kind::Start, *m_store, m_dialogs);
        QCOMPARE(prompt.objectName(), QStringLiteral("TfrmPassword1"));
        QCOMPARE(prompt.windowTitle(), QStringLiteral("Jelszó megadása"));
        QVERIFY(!(prompt.windowFlags() & Qt::WindowCloseButtonHint));
        auto* label = prompt.findChild<QLabel*>(QStringLiteral("Label1"));
        QCOMPARE(label->text(), QStringLiteral("Kérem adja meg a felhasználói jelszót"));
        QVERIFY(label->font().bold());
        QCOMPARE(prompt.findChild<QLineEdit*>(QStringLiteral("Edit1"))->echoMode(), QLineEdit::Password);
        QVERIFY(button(prompt, QStringLiteral("&Rendben"))->isDefault());
        QVERIFY(button(prompt, QStringLiteral("Mégse")) != nullptr);
    }

    void rightPasswordAcceptsAndClearsTheField() {
        PasswordPrompt prompt(PasswordPrompt::Kind::Start, *m_store, m_dialogs);
        prompt.show();
        type(prompt, QStringLiteral("Titok"));
        QTest::keyClick(prompt.findChild<QLineEdit*>(QStringLiteral("Edit1")), Qt::Key_Return);
        QCOMPARE(prompt.result(), int(QDialog::Accepted));
        QVERIFY(prompt.findChild<QLineEdit*>(QStringLiteral("Edit1"))->text().isEmpty());
        QVERIFY(m_dialogs.shown().empty());
    }

    void eachWrongAttemptGetsTheBoxAndTheRightOneOpens() {
        PasswordPrompt prompt(PasswordPrompt::Kind::Start, *m_store, m_dialogs);
        prompt.show();
        for (const QString& wrong : {QStringLiteral("titok"), QStringLiteral("TITOK"), QString(),
                                     QStringLiteral("Titok "), QStringLiteral("x")}) {
            type(prompt, wrong);
            QTest::mouseClick(button(prompt, QStringLiteral("&Rendben")), Qt::LeftButton);
            QVERIFY(prompt.isVisible());
            QVERIFY(prompt.findChild<QLineEdit*>(QStringLiteral("Edit1"))->text().isEmpty());
        }
        QCOMPARE(m_dialogs.shown().size(), std::size_t(5));
        const auto& box = m_dialogs.shown().front();
        QCOMPARE(box.caption, std::string("Rossz jelszó!"));
        QCOMPARE(box.text, std::string("A megadott jelszó érvénytelen!"));
        QCOMPARE(box.style, mb::IconStop | mb::Ok);
        type(prompt, QStringLiteral("Titok"));
        QTest::mouseClick(button(prompt, QStringLiteral("&Rendben")), Qt::LeftButton);
        QCOMPARE(prompt.result(), int(QDialog::Accepted));
    }

    void noStoredPasswordLetsAnEmptyFieldPass() {
        m_registry->remove(RegistryRoot::LocalMachine, PasswordKey, "Jelszo");
        PasswordPrompt prompt(PasswordPrompt::Kind::Start, *m_store, m_dialogs);
        prompt.show();
        QTest::mouseClick(button(prompt, QStringLiteral("&Rendben")), Qt::LeftButton);
        QCOMPARE(prompt.result(), int(QDialog::Accepted));
    }

    void cancelAndEscRejectButTheWindowCloseDoesNot() {
        PasswordPrompt prompt(PasswordPrompt::Kind::Start, *m_store, m_dialogs);
        prompt.show();
        prompt.close();
        QVERIFY(prompt.isVisible());
        QTest::mouseClick(button(prompt, QStringLiteral("Mégse")), Qt::LeftButton);
        QCOMPARE(prompt.result(), int(QDialog::Rejected));
        QVERIFY(!prompt.isVisible());

        PasswordPrompt again(PasswordPrompt::Kind::Start, *m_store, m_dialogs);
        again.show();
        QTest::keyClick(&again, Qt::Key_Escape);
        QCOMPARE(again.result(), int(QDialog::Rejected));
        QVERIFY(!again.isVisible());
    }
};

QTEST_MAIN(PasswordPromptTest)
#include "password_prompt_test.moc"
