// The message dialogs on the screen: captions, labels, and the number each way out returns.

#include "core/message_dialogs.h"
#include "platform/sim/recording_sound.h"
#include "ui/qt_dialogs.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <functional>

using namespace vonalor;

class MessageDialogsTest : public QObject {
    Q_OBJECT

private:
    QtDialogs m_dialogs;
    RecordingSound m_sound;

    // Runs `act` on the dialog once it is up, and returns what the dialog returned.
    int whileShown(const std::function<int()>& open, const std::function<void(QWidget*)>& act) {
        QWidget* seen = nullptr;
        QTimer::singleShot(0, this, [&] {
            seen = QApplication::activeModalWidget();
            if (seen)
                act(seen);
        });
        const int result = open();
        if (!seen)
            qWarning("no modal dialog was shown");
        return result;
    }
    QPushButton* buttonLabelled(QWidget* dialog, const QString& label) {
        for (auto* button : dialog->findChildren<QPushButton*>()) {
            if (button->text() == label)
                return button;
        }
        return nullptr;
    }

private slots:
    void everyButtonReturnsItsNumber_data() {
        QTest::addColumn<QString>("label");
        QTest::addColumn<int>("result");
        QTest::newRow("Igen") << QStringLiteral("&Igen") << 6;
        QTest::newRow("Nem") << QStringLiteral("&Nem") << 7;
        QTest::newRow("Rendben") << QStringLiteral("&Rendben") << 1;
        QTest::newRow("Mégsem") << QStringLiteral("&Mégsem") << 2;
        QTest::newRow("Kilépés") << QStringLiteral("&Kilépés") << 3;
        QTest::newRow("Újra") << QStringLiteral("&Újra") << 4;
        QTest::newRow("Ráhagy") << QStringLiteral("Rá&hagy") << 5;
        QTest::newRow("Mind") << QStringLiteral("Min&d") << 8;
        QTest::newRow("Egyet sem") << QStringLiteral("&Egyet sem") << 9;
        QTest::newRow("Mindegyiket") << QStringLiteral("Minde&gyiket") << 10;
    }
    void everyButtonReturnsItsNumber() {
        QFETCH(QString, label);
        QFETCH(int, result);
        const int got = whileShown(
            [&] {
                return LocalizedMessageDlg(m_dialogs, m_sound, CaptionSet::Standard, "Mind a gomb",
                                           MessageKind::Custom, 0x3FF);
            },
            [&](QWidget* dialog) { QTest::mouseClick(buttonLabelled(dialog, label), Qt::LeftButton); });
        QCOMPARE(got, result);
    }

    void okOnlyGivesOneForEnterAndEsc() {
        for (const int key : {int(Qt::Key_Return), int(Qt::Key_Escape)}) {
            const int got = whileShown(
                [&] {
                    return LocalizedMessageDlg(m_dialogs, m_sound, CaptionSet::Standard, "Kész.",
                                               MessageKind::Information, buttons::Ok);
                },
                [&](QWidget* dialog) { QTest::keyClick(dialog, Qt::Key(key)); });
            QCOMPARE(got, 1);
        }
    }

    void yesNoGivesSixForEnterAndSevenForEsc() {
        const auto ask = [&] {
            return LocalizedMessageDlg(m_dialogs, m_sound, CaptionSet::Standard, "Biztos?",
                                       MessageKind::Confirmation, buttons::Yes | buttons::No);
        };
        QCOMPARE(whileShown(ask, [](QWidget* d) { QTest::keyClick(d, Qt::Key_Return); }), 6);
        QCOMPARE(whileShown(ask, [](QWidget* d) { QTest::keyClick(d, Qt::Key_Escape); }), 7);
    }

    void captionsTextAndNoCloseBox() {
        QString caption;
        QString text;
        bool closeBox = true;
        QStringList labels;
        whileShown(
            [&] {
                return LocalizedMessageDlg(m_dialogs, m_sound, CaptionSet::Password, "Rossz|jelszó",
                                           MessageKind::Error, buttons::Ok);
            },
            [&](QWidget* dialog) {
                caption = dialog->windowTitle();
                text = dialog->findChild<QLabel*>(QStringLiteral("Message"))->text();
                closeBox = dialog->windowFlags() & Qt::WindowCloseButtonHint;
                for (auto* b : dialog->findChildren<QPushButton*>())
                    labels << b->text();
                dialog->close(); // the window manager's close does nothing
                QVERIFY(dialog->isVisible());
                QTest::keyClick(dialog, Qt::Key_Return);
            });
        QCOMPARE(caption, QStringLiteral("Érvénytelen jelszó!"));
        QCOMPARE(text, QStringLiteral("Rossz|jelszó"));
        QVERIFY(!closeBox);
        QCOMPARE(labels, QStringList{QStringLiteral("&Rendben")});
    }

    void companionChoiceButtonsStandEdgeToEdge() {
        QList<int> lefts;
        QStringList labels;
        const auto ask = [&] {
            return CompanionChoiceDlg(m_dialogs, m_sound, "Bezárja a kísérőablakot?",
                                      MessageKind::Confirmation,
                                      buttons::Yes | buttons::No | buttons::Cancel);
        };
        const int enter = whileShown(ask, [&](QWidget* dialog) {
            for (auto* b : dialog->findChildren<QPushButton*>()) {
                lefts << b->x();
                labels << b->text();
                QCOMPARE(b->width(), 186);
            }
            QTest::keyClick(dialog, Qt::Key_Return);
        });
        QCOMPARE(enter, 6);
        QCOMPARE(lefts, (QList<int>{-1, 185, 371}));
        QCOMPARE(labels, (QStringList{QStringLiteral("&Nem zárom be,adat látszódjon!"),
                                      QStringLiteral("&Bezárom, sose jelenjen meg!"),
                                      QStringLiteral("B&ezárom,aktív kapcsolatnál látszódjon!")}));
        QCOMPARE(whileShown(ask, [](QWidget* d) { QTest::keyClick(d, Qt::Key_Escape); }), 2);
    }

    void captionedMessageBoxShowsBarsAsLineBreaks() {
        QString text;
        QString caption;
        const int got =
            whileShown([&] { return CaptionedMessageBox(m_dialogs, "Rossz jelszó!", "első|második", 3, 4); },
                       [&](QWidget* dialog) {
                           caption = dialog->windowTitle();
                           text = qobject_cast<QMessageBox*>(dialog)->text();
                           QTest::mouseClick(buttonLabelled(dialog, QStringLiteral("&No")), Qt::LeftButton);
                       });
        QCOMPARE(caption, QStringLiteral("Rossz jelszó!"));
        QCOMPARE(text, QStringLiteral("első\nmásodik"));
        QCOMPARE(got, 7);
    }
};

QTEST_MAIN(MessageDialogsTest)
#include "message_dialogs_test.moc"
