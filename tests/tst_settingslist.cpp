#include "settings/settingslist.h"
#include "settings/settingsmap.h"

#include <QSignalSpy>
#include <QtTest>

using namespace Orvane::Imports;

static QString letters(const SettingsListModel &list) {
    QString text;
    for (const QVariant &item : list.values())
        text += item.toString();
    return text;
}

class TestSettingsList : public QObject {
    Q_OBJECT

private slots:
    void modelAndEdits() {
        SettingsList list;
        QSignalSpy inserted(&list, &QAbstractItemModel::rowsInserted);
        QSignalSpy removed(&list, &QAbstractItemModel::rowsRemoved);
        QSignalSpy changed(&list, &QAbstractItemModel::dataChanged);
        QVERIFY(list.SettingsListModel::insert(0, "b") && list.SettingsListModel::insert(0, "a"));
        QVERIFY(list.SettingsListModel::insert(2, "c") && list.SettingsListModel::set(3, "d"));
        QCOMPARE(letters(list), QStringLiteral("abcd"));
        QCOMPARE(inserted.at(3).mid(1), (QVariantList{3, 3}));
        list.setModified(false);
        for (const char *refusal : {"insert: index 5 out of range", "set: index -1 out of range",
                                    "remove: indices [4 - 5] out of range [0 - 4]",
                                    "remove: indices [1 - 1] out of range [0 - 4]"})
            QTest::ignoreMessage(QtWarningMsg,
                                 qPrintable("SettingsListModel::" + QString(refusal)));
        QVERIFY(!list.SettingsListModel::insert(5, "x") && !list.SettingsListModel::set(-1, "x"));
        QVERIFY(!list.SettingsListModel::remove(4, 1) && !list.SettingsListModel::remove(1, 0));
        QVERIFY(!list.setData(list.index(0), 1, 257) && !list.isModified() && changed.isEmpty());
        QVERIFY(inserted.count() == 4 && removed.isEmpty()); // nothing sent
        QVERIFY(list.SettingsListModel::set(1, "B") && list.setData(list.index(2), "C", 256));
        QCOMPARE(changed.count() == 2 ? changed.at(0).at(0).toModelIndex().row() : -1, 1);
        QVERIFY(list.SettingsListModel::remove(2, 10) && letters(list) == "aB"); // cut at the end
        QCOMPARE(removed.at(0).mid(1), (QVariantList{2, 3}));
        QPointer<SettingsMap> nested = new SettingsMap(&list); // entries never own their objects
        list.append(QVariant::fromValue(nested.data()));
        list.clear();
        QVERIFY(nested && list.isModified());
        QCOMPARE(removed.at(1).mid(1), (QVariantList{0, 2}));
    }

    void move_data() {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("result");
        QTest::addColumn<int>("destination"); // -1: refused, -2: nothing to do
        QTest::newRow("forward") << 0 << 2 << 1 << "bcade" << 3;
        QTest::newRow("back") << 3 << 1 << 1 << "adbce" << 1;
        QTest::newRow("block") << 1 << 3 << 2 << "adebc" << 5;
        QTest::newRow("past end") << 2 << 4 << 2 << "abcde" << -1;
        QTest::newRow("negative") << 0 << -1 << 1 << "abcde" << -1;
        QTest::newRow("no count") << 1 << 3 << 0 << "abcde" << -2;
    }

    void move() {
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(int, count);
        QFETCH(int, destination);
        SettingsListModel list;
        for (const QChar c : QStringLiteral("abcde"))
            list.append(QString(c));
        list.setModified(false);
        QSignalSpy moved(&list, &QAbstractItemModel::rowsMoved);
        if (destination == -1)
            QTest::ignoreMessage(QtWarningMsg, "SettingsListModel::move: out of range");
        QCOMPARE(list.move(from, to, count), destination != -1);
        QTEST(letters(list), "result");
        QCOMPARE(list.isModified(), destination >= 0);
        QCOMPARE(moved.isEmpty() ? -1 : moved.at(0).at(4).toInt(), qMax(destination, -1));
        QVERIFY(moved.isEmpty() || moved.at(0).mid(1, 2) == (QVariantList{from, from + count - 1}));
    }
};

QTEST_GUILESS_MAIN(TestSettingsList)
#include "tst_settingslist.moc"
