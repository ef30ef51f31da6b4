#include "menu/menusettings.h"
#include "settings/settings.h"

#include <QElapsedTimer>
#include <QQmlEngine>
#include <QTemporaryDir>
#include <QtTest>

// Documents written to hurt the readers: each is refused or read in bounded time,
// and nothing but the document itself is read.
class TestHostileDocuments : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

private slots:
    void hostile_data() {
        QTest::addColumn<QByteArray>("settings");
        QTest::addColumn<QByteArray>("menu");

        const QString secret = m_dir.filePath("secret.txt");
        QFile file(secret);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("\"top secret\"") > 0);
        file.close();

        QByteArray entities = "<!ENTITY a \"" + QByteArray(48, 'a') + "\">";
        for (char name = 'b'; name <= 'j'; ++name) // each six of the one before
            entities += "<!ENTITY " + QByteArray(1, name) + " \"" +
                        ("&" + QByteArray(1, name - 1) + ";").repeated(6) + "\">";
        QTest::newRow("entity expansion")
            << "<!DOCTYPE map [" + entities + "]><map><value name=\"x\">&j;</value></map>"
            << "<!DOCTYPE root [" + entities +
                   "]><root><menu><item><label>&j;</label></item></menu></root>";

        const QByteArray external =
            "<!ENTITY x SYSTEM \"" + QUrl::fromLocalFile(secret).toEncoded() + "\">";
        QTest::newRow("external entity")
            << "<!DOCTYPE map [" + external + "]><map><value name=\"x\">&x;</value></map>"
            << "<!DOCTYPE root [" + external +
                   "]><root><menu><item><label>&x;</label></item></menu></root>";

        const int depth = 10000;
        QTest::newRow("deep nesting")
            << QByteArray("<map><map name=\"a\">").repeated(1) +
                   QByteArray("<map name=\"a\">").repeated(depth) +
                   QByteArray("</map>").repeated(depth + 2)
            << "<root><menu>" + QByteArray("<item><menu>").repeated(depth) +
                   QByteArray("</menu></item>").repeated(depth) + "</menu></root>";
    }

    void hostile() {
        QFETCH(QByteArray, settings);
        QFETCH(QByteArray, menu);
        QQmlEngine engine;
        Orvane::Imports::Settings settingsApi(&engine);
        Orvane::Imports::MenuSettings menuApi(&engine);
        QLoggingCategory::setFilterRules(QStringLiteral("orvane.core.warning=false"));

        const QString directory = m_dir.filePath("docs");
        QVERIFY(QDir().mkpath(directory));
        for (const auto &document : {std::make_pair(QStringLiteral("hostile.xml"), settings),
                                     std::make_pair(QStringLiteral("menu.xml"), menu)})
            QVERIFY(settingsApi.writeToFile("<?xml version=\"1.0\"?>" + document.second,
                                            directory + '/' + document.first));

        QElapsedTimer timer;
        timer.start();
        QScopedPointer<QObject> tree(settingsApi.load(directory, "hostile"));
        QVERIFY(timer.elapsed() < 2000);
        if (tree) {
            const QString text = tree->property("x").toString();
            QVERIFY(!text.contains("top secret"));
            QVERIFY(text.size() < 1024 * 1024);
        }

        timer.restart();
        QScopedPointer<QObject> root(menuApi.load(directory, "menu"));
        QVERIFY(timer.elapsed() < 2000);
        if (root) {
            QObject *items = root->property("items").value<QObject *>();
            QVariant first;
            QVERIFY(items && QMetaObject::invokeMethod(items, "get", Q_RETURN_ARG(QVariant, first),
                                                       Q_ARG(int, 0)));
            QVERIFY(!first.value<QObject *>()->property("label").toString().contains("top secret"));
        }
        QLoggingCategory::setFilterRules(QString());
    }
};

QTEST_MAIN(TestHostileDocuments)
#include "tst_hostiledocuments.moc"
