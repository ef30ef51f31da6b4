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
    void modelInterface() {
        SettingsList list;
        list.append(QStringLiteral("a"));
        QCOMPARE(list.roleNames(), (QHash<int, QByteArray>{{256, "modelData"}}));
        QCOMPARE(list.rowCount(), 1);
        QCOMPARE(list.rowCount(list.index(0)), 0);
        QCOMPARE(list.data(list.index(0), 256), QVariant(QStringLiteral("a")));
        QVERIFY(!list.data(list.index(0), 257).isValid());
        QVERIFY(!list.data(list.index(0, 1), 256).isValid());
        QVERIFY(!list.data(list.index(1), 256).isValid());
        QVERIFY(!list.get(-1).isValid());
        QVERIFY(!list.toJSON());

        list.setModified(false);
        QSignalSpy changed(&list, &QAbstractItemModel::dataChanged);
        QVERIFY(!list.setData(list.index(0), 1, 257));
        QVERIFY(!list.isModified());
        QVERIFY(list.setData(list.index(0), QStringLiteral("b"), 256));
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.at(0).at(0).toModelIndex().row(), 0);
        QVERIFY(changed.at(0).at(2).value<QVector<int>>().isEmpty());
        QVERIFY(list.isModified());
    }

    void insertSetAppend() {
        SettingsListModel list;
        QSignalSpy inserted(&list, &QAbstractItemModel::rowsInserted);
        QSignalSpy changed(&list, &QAbstractItemModel::dataChanged);
        QSignalSpy counted(&list, &SettingsListModel::countChanged);

        QVERIFY(list.insert(0, "b"));
        QVERIFY(list.insert(0, "a"));
        QVERIFY(list.insert(2, "c")); // at count: appends
        QVERIFY(list.set(3, "d"));    // at count: appends
        QCOMPARE(letters(list), QStringLiteral("abcd"));
        QCOMPARE(inserted.count(), 4);
        QCOMPARE(inserted.at(3).at(1).toInt(), 3);
        QCOMPARE(inserted.at(3).at(2).toInt(), 3);
        QCOMPARE(counted.count(), 4);

        list.setModified(false);
        QVERIFY(list.set(1, "B"));
        QCOMPARE(letters(list), QStringLiteral("aBcd"));
        QCOMPARE(counted.count(), 4);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.at(0).at(0).toModelIndex().row(), 1);
        QVERIFY(list.isModified());

        list.setModified(false);
        QTest::ignoreMessage(QtWarningMsg, "SettingsListModel::insert: index 5 out of range");
        QVERIFY(!list.insert(5, "x"));
        QTest::ignoreMessage(QtWarningMsg, "SettingsListModel::insert: index -1 out of range");
        QVERIFY(!list.insert(-1, "x"));
        QTest::ignoreMessage(QtWarningMsg, "SettingsListModel::set: index 5 out of range");
        QVERIFY(!list.set(5, "x"));
        QCOMPARE(letters(list), QStringLiteral("aBcd"));
        QCOMPARE(inserted.count(), 4);
        QVERIFY(!list.isModified());
    }

    void removeAndClear() {
        SettingsListModel list;
        QSignalSpy removed(&list, &QAbstractItemModel::rowsRemoved);
        QSignalSpy counted(&list, &SettingsListModel::countChanged);
        QVERIFY(list.remove(0, 1)); // empty: nothing tested, nothing logged
        QVERIFY(list.remove(-7, 0));
        list.clear();
        QCOMPARE(removed.count(), 0);
        QVERIFY(!list.isModified());

        fill(list, "abcde");
        removed.clear();
        counted.clear();
        QVERIFY(list.remove(3, 10));
        QCOMPARE(letters(list), QStringLiteral("abc"));
        QCOMPARE(removed.count(), 1);
        QCOMPARE(removed.at(0).at(1).toInt(), 3);
        QCOMPARE(removed.at(0).at(2).toInt(), 4);
        QCOMPARE(counted.count(), 1);

        fill(list, "abcde");
        removed.clear();
        QTest::ignoreMessage(QtWarningMsg,
                             "SettingsListModel::remove: indices [5 - 6] out of range [0 - 5]");
        QVERIFY(!list.remove(5, 1));
        QTest::ignoreMessage(QtWarningMsg,
                             "SettingsListModel::remove: indices [1 - 1] out of range [0 - 5]");
        QVERIFY(!list.remove(1, 0));
        QTest::ignoreMessage(QtWarningMsg,
                             "SettingsListModel::remove: indices [-1 - 1] out of range [0 - 5]");
        QVERIFY(!list.remove(-1, 2));
        QCOMPARE(removed.count(), 0);
        QVERIFY(!list.isModified());

        // Entries never own what they point to; the QObject parent does.
        SettingsList owner;
        QPointer<SettingsMap> nested = new SettingsMap(&owner);
        owner.append(QVariant::fromValue(nested.data()));
        owner.set(0, 1);
        owner.append(QVariant::fromValue(nested.data()));
        owner.clear();
        QVERIFY(nested);
        QCOMPARE(nested->parent(), &owner);

        counted.clear();
        list.clear();
        QCOMPARE(removed.count(), 1);
        QCOMPARE(removed.at(0).at(2).toInt(), 4);
        QCOMPARE(counted.count(), 1);
        QCOMPARE(list.count(), 0);
    }

    void move_data() {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("result");
        QTest::addColumn<int>("destination");
        QTest::newRow("forward one") << 0 << 2 << 1 << "bcade" << 3;
        QTest::newRow("back one") << 3 << 1 << 1 << "adbce" << 1;
        QTest::newRow("forward block") << 1 << 3 << 2 << "adebc" << 5;
        QTest::newRow("back block") << 3 << 0 << 2 << "deabc" << 0;
        QTest::newRow("overlapping") << 0 << 1 << 3 << "dabce" << 4;
    }

    void move() {
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(int, count);
        QFETCH(QString, result);
        QFETCH(int, destination);
        SettingsListModel list;
        fill(list, "abcde");
        QSignalSpy moved(&list, &QAbstractItemModel::rowsMoved);
        QSignalSpy counted(&list, &SettingsListModel::countChanged);
        QVERIFY(list.move(from, to, count));
        QCOMPARE(letters(list), result);
        QCOMPARE(moved.count(), 1);
        QCOMPARE(moved.at(0).at(1).toInt(), from);
        QCOMPARE(moved.at(0).at(2).toInt(), from + count - 1);
        QCOMPARE(moved.at(0).at(4).toInt(), destination);
        QCOMPARE(counted.count(), 0);
        QVERIFY(list.isModified());
    }

    void moveRejected() {
        SettingsListModel list;
        fill(list, "abcde");
        QSignalSpy moved(&list, &QAbstractItemModel::rowsMoved);
        QVERIFY(list.move(1, 1, 2));
        QVERIFY(list.move(1, 3, 0));
        for (const auto &args :
             {std::array<int, 3>{2, 4, 2}, {-1, 0, 1}, {0, -1, 1}, {0, 1, -1}, {4, 0, 2}}) {
            QTest::ignoreMessage(QtWarningMsg, "SettingsListModel::move: out of range");
            QVERIFY(!list.move(args[0], args[1], args[2]));
        }
        QCOMPARE(letters(list), QStringLiteral("abcde"));
        QCOMPARE(moved.count(), 0);
        QVERIFY(!list.isModified());
    }
};

QTEST_GUILESS_MAIN(TestSettingsList)
#include "tst_settingslist.moc"
