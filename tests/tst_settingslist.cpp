#include "settings/settingslist.h"
#include "settings/settingsmap.h"

#include <QSignalSpy>
#include <QtTest>

using namespace Orvane::Imports;

namespace {

QString letters(const SettingsListModel &list) {
    QString text;
    for (const QVariant &item : list.values())
        text += item.toString();
    return text;
}

void fill(SettingsListModel &list, const QString &text) {
    list.clear();
    for (const QChar c : text)
        list.append(QString(c));
    list.setModified(false);
}

} // namespace

class TestSettingsList : public QObject {
    Q_OBJECT

private slots:
    void modelAndEdits() {
        SettingsList list;
        QSignalSpy inserted(&list, &QAbstractItemModel::rowsInserted);
        QSignalSpy removed(&list, &QAbstractItemModel::rowsRemoved);
        QSignalSpy changed(&list, &QAbstractItemModel::dataChanged);
        QSignalSpy counted(&list, &SettingsListModel::countChanged);
        QVERIFY(list.SettingsListModel::remove(-7, 0)); // empty: nothing tested, nothing sent
        QVERIFY(list.SettingsListModel::insert(0, "b") && list.SettingsListModel::insert(0, "a"));
        QVERIFY(list.SettingsListModel::insert(2, "c") && list.SettingsListModel::set(3, "d"));
        QCOMPARE(letters(list), QStringLiteral("abcd"));
        QCOMPARE(inserted.count(), 4);
        QCOMPARE(inserted.at(3).mid(1), (QVariantList{3, 3}));
        QCOMPARE(counted.count(), 4);
        QCOMPARE(list.roleNames(), (QHash<int, QByteArray>{{256, "modelData"}}));
        QCOMPARE(list.data(list.index(1), 256), QVariant("b"));
        QVERIFY(!list.data(list.index(1), 257).isValid() &&
                !list.data(list.index(4), 256).isValid());
        QVERIFY(!list.data(list.index(0, 1), 256).isValid() && !list.toJSON());
        QCOMPARE(list.rowCount(list.index(0)), 0);

        list.setModified(false);
        QTest::ignoreMessage(QtWarningMsg, "SettingsListModel::insert: index 5 out of range");
        QVERIFY(!list.SettingsListModel::insert(5, "x"));
        QTest::ignoreMessage(QtWarningMsg, "SettingsListModel::set: index -1 out of range");
        QVERIFY(!list.SettingsListModel::set(-1, "x"));
        QTest::ignoreMessage(QtWarningMsg,
                             "SettingsListModel::remove: indices [4 - 5] out of range [0 - 4]");
        QVERIFY(!list.SettingsListModel::remove(4, 1));
        QTest::ignoreMessage(QtWarningMsg,
                             "SettingsListModel::remove: indices [1 - 1] out of range [0 - 4]");
        QVERIFY(!list.SettingsListModel::remove(1, 0));
        QVERIFY(!list.setData(list.index(0), 1, 257));
        QVERIFY(!list.isModified() && inserted.count() == 4 && removed.isEmpty() &&
                changed.isEmpty());

        QVERIFY(list.SettingsListModel::set(1, "B") && list.setData(list.index(2), "C", 256));
        QCOMPARE(changed.count(), 2);
        QCOMPARE(changed.at(0).at(0).toModelIndex().row(), 1);
        QVERIFY(changed.at(1).at(2).value<QVector<int>>().isEmpty());
        QCOMPARE(counted.count(), 4);
        QVERIFY(list.SettingsListModel::remove(2, 10)); // cut at the end
        QCOMPARE(letters(list), QStringLiteral("aB"));
        QCOMPARE(removed.at(0).mid(1), (QVariantList{2, 3}));

        // Entries never own what they point to.
        QPointer<SettingsMap> nested = new SettingsMap(&list);
        list.append(QVariant::fromValue(nested.data()));
        list.set(2, 1);
        list.clear();
        QVERIFY(nested && nested->parent() == &list);
        QCOMPARE(removed.count(), 2);
        QCOMPARE(removed.at(1).mid(1), (QVariantList{0, 2}));
        QCOMPARE(counted.count(), 7);
    }

    void move_data() {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("result");
        QTest::addColumn<int>("destination");
        QTest::newRow("forward") << 0 << 2 << 1 << "bcade" << 3;
        QTest::newRow("back") << 3 << 1 << 1 << "adbce" << 1;
        QTest::newRow("block") << 1 << 3 << 2 << "adebc" << 5;
        QTest::newRow("overlap") << 0 << 1 << 3 << "dabce" << 4;
        QTest::newRow("past end") << 2 << 4 << 2 << "abcde" << -1;
        QTest::newRow("negative") << 0 << -1 << 1 << "abcde" << -1;
        QTest::newRow("no count") << 1 << 3 << 0 << "abcde" << -2;
        QTest::newRow("in place") << 2 << 2 << 2 << "abcde" << -2;
    }

    void move() {
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(int, count);
        QFETCH(int, destination);
        SettingsListModel list;
        fill(list, "abcde");
        QSignalSpy moved(&list, &QAbstractItemModel::rowsMoved);
        QSignalSpy counted(&list, &SettingsListModel::countChanged);
        if (destination == -1)
            QTest::ignoreMessage(QtWarningMsg, "SettingsListModel::move: out of range");
        QCOMPARE(list.move(from, to, count), destination != -1);
        QTEST(letters(list), "result");
        QCOMPARE(list.isModified(), destination >= 0);
        QCOMPARE(moved.count(), destination >= 0 ? 1 : 0);
        if (destination >= 0) {
            QCOMPARE(moved.at(0).at(1).toInt(), from);
            QCOMPARE(moved.at(0).at(2).toInt(), from + count - 1);
            QCOMPARE(moved.at(0).at(4).toInt(), destination);
        }
        QCOMPARE(counted.count(), 0);
    }
};

QTEST_GUILESS_MAIN(TestSettingsList)
#include "tst_settingslist.moc"
