// The simple calculator driven by its keys and buttons.

#include "screens/tfmcalc.h"
#include "screenshot.h"

#include <QPushButton>
#include <QTest>

#include <cmath>

using namespace orv;

class CalcTest : public QObject {
    Q_OBJECT

    // Keys as typed; "%" presses the percentage button, "B" backspace, "A" AC, "=" Enter.
    static void play(TfmCalc &calc, const QString &keys)
    {
        for (QChar ch : keys) {
            if (ch == QLatin1Char('%'))
                calc.findChild<QPushButton *>(QStringLiteral("btPercent"))->click();
            else if (ch == QLatin1Char('B'))
                QTest::keyClick(&calc, Qt::Key_Backspace);
            else if (ch == QLatin1Char('A'))
                QTest::keyClick(&calc, Qt::Key_C);
            else if (ch == QLatin1Char('='))
                QTest::keyClick(&calc, Qt::Key_Return);
            else
                QTest::keyClicks(&calc, QString(ch));
        }
    }

private slots:
    void sequences_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("display");
        QTest::newRow("percent of the entry") << "1200*8%" << "0.08";
        QTest::newRow("then equals") << "1200*8%=" << "96";
        QTest::newRow("percent in addition") << "1200+8%" << "96";
        QTest::newRow("addition then equals") << "1200+8%=" << "1296";
        QTest::newRow("left to right") << "2+3*4=" << "20";
        QTest::newRow("typed zeros stay") << "1.50" << "1.50";
        QTest::newRow("point before a decimal") << "7." << "7.";
        QTest::newRow("leading point") << ".5" << "0.5";
        QTest::newRow("second point ignored") << "1.2.3" << "1.23";
        QTest::newRow("tenth digit ignored") << "1234567890" << "123456789";
        QTest::newRow("square") << "5*=" << "25";
        QTest::newRow("equals repeats") << "5*==" << "125";
        QTest::newRow("subtraction repeats") << "10-3==" << "4";
        QTest::newRow("division") << "10/4=" << "2.5";
        QTest::newRow("ten significant digits") << "2/3=" << "0.6666666667";
        QTest::newRow("backspace") << "123B" << "12";
        QTest::newRow("backspace to empty") << "1B" << "0";
        QTest::newRow("backspace the point") << "1.B5" << "15";
        QTest::newRow("all clear") << "12+3A" << "0";
        QTest::newRow("new number after result") << "2+3=7+1=" << "8";
        QTest::newRow("percent without a number") << "%" << "0";
    }
    void sequences()
    {
        QFETCH(QString, keys);
        QFETCH(QString, display);
        TfmCalc calc;
        calc.show();
        play(calc, keys);
        QCOMPARE(calc.displayText(), display);
    }

    void divisionByZeroGivesNoValue()
    {
        TfmCalc calc;
        calc.show();
        play(calc, QStringLiteral("5/0="));
        QCOMPARE(calc.displayText(), QStringLiteral("エラー"));
        QVERIFY(!std::isfinite(static_cast<double>(calc.value())));
        // A new number starts over.
        play(calc, QStringLiteral("4+1="));
        QCOMPARE(calc.displayText(), QStringLiteral("5"));
    }

    void okCancelAndFreshStart()
    {
        TfmCalc calc;
        calc.show();
        orvScreenshot(&calc, QStringLiteral("calc"));
        play(calc, QStringLiteral("12*3="));
        QCOMPARE(static_cast<double>(calc.value()), 36.0);
        calc.findChild<QPushButton *>(QStringLiteral("btOk"))->click();
        QCOMPARE(calc.result(), int(QDialog::Accepted));
        // Every showing starts cleared.
        calc.show();
        QCOMPARE(calc.displayText(), QStringLiteral("0"));
        QCOMPARE(static_cast<double>(calc.value()), 0.0);
        QTest::keyClick(&calc, Qt::Key_Escape);
        QCOMPARE(calc.result(), int(QDialog::Rejected));
    }

    void keyShowsButtonPressed()
    {
        TfmCalc calc;
        calc.show();
        auto *seven = calc.findChild<QPushButton *>(QStringLiteral("btNum7"));
        QTest::keyClick(&calc, Qt::Key_7);
        // The button is shown pressed for a moment and then released.
        QTRY_VERIFY_WITH_TIMEOUT(!seven->isDown(), 1000);
        QCOMPARE(calc.displayText(), QStringLiteral("7"));
    }
};

QTEST_MAIN(CalcTest)
#include "screen_calc_test.moc"
