#include "settings/scriptjson.h"

#include <QQmlEngine>
#include <QtTest>

#include <cstring>

using namespace Orvane::Imports;

// The native reading of literals must be indistinguishable from the engine's JSON.parse.
class TestSettingsLiteral : public QObject {
    Q_OBJECT

private slots:
    void sameAsEngine() {
        QQmlEngine engine;
        const ScriptJson json(&engine);
        const QStringList corpus =
            QStringLiteral("0 1 -1 42 -0 -0.0 0.0 -0e0 0e5 007 01 1.5 -0.5 0.1 1.0 1e3 1E3 1e+3 "
                           "1e-3 2.5e-308 1e308 1e309 -1e309 4.9e-324 1e-400 2147483647 "
                           "2147483648 -2147483648 -2147483649 9007199254740993 "
                           "123456789012345678901234567890 0.30000000000000004 "
                           "1.7976931348623157e308 true false null True nul +1 0x10 1. .5 - 1e "
                           "1e+ NaN Infinity \"a\\n\\u0041\" [1,2] {} undefined --1 1..2 1e1.5")
                .split(QLatin1Char(' '));
        int fast = 0;
        for (const QString &text : corpus + QStringList{QString(), " 1", "1 "}) {
            QVariant literal;
            if (!ScriptJson::parseLiteral(text, &literal))
                continue;
            ++fast;
            const QJSValue parsed = json.callParse(text);
            QVERIFY2(!parsed.isError(), qPrintable(text));
            const QVariant expected = parsed.toVariant();
            QVERIFY2(literal.userType() == expected.userType(), qPrintable(text));
            const double a = literal.toDouble(), b = expected.toDouble();
            QVERIFY2(std::memcmp(&a, &b, sizeof a) == 0 && literal == expected, qPrintable(text));
        }
        QCOMPARE(fast, 31); // the others go to the engine
    }
};

QTEST_GUILESS_MAIN(TestSettingsLiteral)
#include "tst_settingsliteral.moc"
