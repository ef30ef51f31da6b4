// Folder menus against the bare directory read, and menu documents against raw file I/O.
#include "menu/menufolderitem.h"
#include "menu/menufolderlist.h"
#include "menu/menusettings.h"
#include "menu/menusettingslist.h"
#include "menu/menusettingsroot.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QJSEngine>
#include <QTemporaryDir>
#include <QUrl>
#include <benchmark/benchmark.h>

using namespace Orvane::Imports;

namespace {

constexpr int folderEntries = 100000;
constexpr QDir::Filters filter = QDir::Files | QDir::AllDirs | QDir::NoDotAndDotDot;
constexpr QDir::SortFlags sort = QDir::Name | QDir::DirsFirst | QDir::IgnoreCase;

QTemporaryDir &scratch() {
    static QTemporaryDir dir;
    return dir;
}

const QString &bigFolder() {
    static const QString path = [] {
        const QString folder = scratch().path() + QStringLiteral("/big");
        QDir().mkpath(folder);
        for (int i = 0; i < folderEntries; ++i)
            QFile(folder + QStringLiteral("/file%1.dat").arg(i, 6, 10, QLatin1Char('0')))
                .open(QIODevice::WriteOnly);
        return folder;
    }();
    return path;
}

void BM_EntryInfoListFloor(benchmark::State &state) {
    const QString folder = bigFolder(); // made once, outside the timing
    for (auto _ : state) {
        const QFileInfoList infos = QDir(folder).entryInfoList(filter, sort);
        QStringList labels;
        for (int i = 0; i < 50; ++i)
            labels.append(infos.at(i).completeBaseName());
        benchmark::DoNotOptimize(labels);
    }
}

void BM_OpenFolderItem(benchmark::State &state) {
    const QString url = QUrl::fromLocalFile(bigFolder()).toString();
    int objects = 0;
    for (auto _ : state) {
        MenuSettingsRoot root(nullptr);
        MenuSettingsItem item(&root, &root, nullptr);
        MenuItemFolderOptions options;
        options.setPath(url);
        item.setFolder(options);
        item.setType(MenuSettings::FolderItem);
        auto *list = static_cast<MenuFolderList *>(item.items());
        benchmark::DoNotOptimize(list->count());
        QStringList labels;
        for (int i = 0; i < 50; ++i)
            labels.append(list->itemAt(i)->label());
        objects = list->findChildren<MenuFolderItem *>().size();
    }
    state.counters["entry objects"] = objects;
}

// 100 submenus of 99 ActionItems: 10,000 items.
MenuSettingsRoot *bigMenu(MenuSettings &settings, QJSEngine &engine) {
    auto *root = static_cast<MenuSettingsRoot *>(settings.create());
    const QJSValue action = engine.evaluate(QStringLiteral("({source: 'orv://x', data: {}})"));
    for (int i = 0; i < 100; ++i) {
        MenuSettingsItem *sub = static_cast<MenuSettingsList *>(root->items())->create();
        sub->setType(MenuSettings::MenuItem);
        for (int j = 0; j < 99; ++j) {
            MenuSettingsItem *item = static_cast<MenuSettingsList *>(sub->items())->create();
            item->setType(MenuSettings::ActionItem);
            item->setLabel(QStringLiteral("item %1").arg(j));
            item->setAction(action);
        }
    }
    return root;
}

void BM_MenuSaveLoad(benchmark::State &state) {
    QJSEngine engine;
    MenuSettings settings(&engine);
    QScopedPointer<MenuSettingsRoot> root(bigMenu(settings, engine));
    const QString directory = scratch().path();
    settings.save(root.data(), directory, QStringLiteral("menu"));
    for (auto _ : state) {
        if (state.range(0) == 0)
            settings.save(root.data(), directory, QStringLiteral("menu"));
        else
            delete settings.load(directory, QStringLiteral("menu"));
    }
}

void BM_RawWriteRead(benchmark::State &state) {
    QJSEngine engine;
    MenuSettings settings(&engine);
    QScopedPointer<MenuSettingsRoot> root(bigMenu(settings, engine));
    const QString directory = scratch().path();
    settings.save(root.data(), directory, QStringLiteral("raw"));
    QFile source(directory + QStringLiteral("/raw.xml"));
    source.open(QIODevice::ReadOnly);
    const QByteArray bytes = source.readAll();
    for (auto _ : state) {
        QFile file(directory + QStringLiteral("/raw-copy.xml"));
        if (state.range(0) == 0) {
            file.open(QIODevice::WriteOnly);
            file.write(bytes);
        } else {
            file.open(QIODevice::ReadOnly);
            benchmark::DoNotOptimize(file.readAll());
        }
    }
    state.counters["bytes"] = bytes.size();
}

} // namespace

BENCHMARK(BM_EntryInfoListFloor)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenFolderItem)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MenuSaveLoad)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RawWriteRead)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
