// Save and load of a 10,000-value settings tree through Settings, against the peers a
// widget author would pick instead (QSettings/INI, QJsonDocument/QSaveFile) and the
// floors (bare XML tokenizing; XML into memory then one write, fsync and rename).

#include "settings/settings.h"
#include "settings/settingslist.h"
#include "settings/settingsmap.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>
#include <QQmlEngine>
#include <QSaveFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QVector>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include <benchmark/benchmark.h>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

using namespace Orvane::Imports;

namespace {

const int groups = 100;
const int perGroup = 90;  // plain values per group
const int listItems = 10; // values in each group's list

struct Fixture {
    QTemporaryDir dir;
    QQmlEngine engine;
    Settings *settings = nullptr;
    SettingsMap *tree = nullptr;
    QJsonObject json;
    QVariantMap flat;   // the same values under "group/key" for QSettings
    QByteArray xml;     // the settings document, for the floors
    QStringList arrays; // the script arrays' text, as the document holds it

    // Script values must go before the engine that holds them.
    ~Fixture() {
        delete tree;
        delete settings;
    }

    Fixture() {
        qputenv("ORVANE_CONFIG_DIR", QFile::encodeName(dir.path() + "/config"));
        qputenv("ORVANE_CACHE_DIR", QFile::encodeName(dir.path() + "/cache"));
        settings = new Settings(&engine);
        tree = new SettingsMap;
        for (int g = 0; g < groups; ++g) {
            auto *group = new SettingsMap(tree);
            QJsonObject jsonGroup;
            const QString prefix = QStringLiteral("g%1").arg(g);
            for (int k = 0; k < perGroup; ++k) {
                const QString key = QStringLiteral("k%1").arg(k);
                QVariant value;
                QJsonValue jsonValue;
                switch (k % 4) {
                case 0:
                    value = QStringLiteral("text %1 of group %2").arg(k).arg(g);
                    jsonValue = value.toString();
                    break;
                case 1:
                    value = k % 8 == 1 ? QVariant(g * 1000 + k) : QVariant(k * 0.25 + g);
                    jsonValue = value.toDouble();
                    break;
                case 2:
                    value = (k + g) % 3 == 0;
                    jsonValue = value.toBool();
                    break;
                default: {
                    const QVariantList array{k, QStringLiteral("x%1").arg(g), true};
                    value = QVariant::fromValue(engine.toScriptValue(array));
                    jsonValue = QJsonArray::fromVariantList(array);
                    arrays.append(QString::fromUtf8(
                        QJsonDocument(jsonValue.toArray()).toJson(QJsonDocument::Compact)));
                }
                }
                group->insert(key, value);
                jsonGroup.insert(key, jsonValue);
                flat.insert(
                    prefix + '/' + key,
                    k % 4 == 3
                        ? QVariant(
                              QJsonDocument(jsonValue.toArray()).toJson(QJsonDocument::Compact))
                        : value);
            }
            auto *list = new SettingsList(group);
            QJsonArray jsonList;
            for (int i = 0; i < listItems; ++i) {
                list->append(i % 2 ? QVariant(i) : QVariant(QStringLiteral("item %1").arg(i)));
                jsonList.append(QJsonValue::fromVariant(list->get(i)));
                flat.insert(prefix + QStringLiteral("/list/%1").arg(i), list->get(i));
            }
            group->insert(QStringLiteral("list"), QVariant::fromValue(list));
            jsonGroup.insert(QStringLiteral("list"), jsonList);
            tree->insert(prefix, QVariant::fromValue(group));
            json.insert(prefix, jsonGroup);
        }
        settings->save(tree, QStringLiteral("bench"), QStringLiteral("tree"));
        QFile file(dir.path() + "/config/bench/tree.xml");
        file.open(QIODevice::ReadOnly);
        xml = file.readAll();
    }
};

Fixture *fixture = nullptr;

void SettingsSave(benchmark::State &state) {
    for (auto _ : state)
        if (!fixture->settings->save(fixture->tree, QStringLiteral("bench"),
                                     QStringLiteral("tree")))
            state.SkipWithError("save failed");
}

void SettingsLoad(benchmark::State &state) {
    for (auto _ : state) {
        QObject *tree = fixture->settings->load(QStringLiteral("bench"), QStringLiteral("tree"));
        if (!tree)
            state.SkipWithError("load failed");
        state.PauseTiming();
        delete tree;
        state.ResumeTiming();
    }
}

void IniSave(benchmark::State &state) {
    const QString path = fixture->dir.path() + "/peer.ini";
    for (auto _ : state) {
        QSettings ini(path, QSettings::IniFormat);
        for (auto it = fixture->flat.cbegin(); it != fixture->flat.cend(); ++it)
            ini.setValue(it.key(), it.value());
        ini.sync();
    }
}

void IniLoad(benchmark::State &state) {
    const QString path = fixture->dir.path() + "/peer.ini";
    for (auto _ : state) {
        QSettings ini(path, QSettings::IniFormat);
        int read = 0;
        for (const QString &key : ini.allKeys())
            read += ini.value(key).isValid();
        if (read != fixture->flat.size())
            state.SkipWithError("ini incomplete");
    }
}

void JsonSave(benchmark::State &state) {
    const QString path = fixture->dir.path() + "/peer.json";
    for (auto _ : state) {
        QSaveFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(QJsonDocument(fixture->json).toJson());
        if (!file.commit())
            state.SkipWithError("json save failed");
    }
}

void JsonLoad(benchmark::State &state) {
    const QString path = fixture->dir.path() + "/peer.json";
    for (auto _ : state) {
        QFile file(path);
        file.open(QIODevice::ReadOnly);
        const QJsonDocument document = QJsonDocument::fromJson(file.readAll());
        benchmark::DoNotOptimize(document.object().size());
    }
}

// The same, going on to the values a widget reads, as the settings load hands them out.
void JsonLoadValues(benchmark::State &state) {
    const QString path = fixture->dir.path() + "/peer.json";
    for (auto _ : state) {
        QFile file(path);
        file.open(QIODevice::ReadOnly);
        const QVariantMap values = QJsonDocument::fromJson(file.readAll()).object().toVariantMap();
        benchmark::DoNotOptimize(values.size());
    }
}

// The document as a flat list of writer calls, so the save floor writes the same
// elements without walking any tree.
struct Token {
    QXmlStreamReader::TokenType type;
    QString text;
    QXmlStreamAttributes attributes;
};

QVector<Token> tokenize(const QByteArray &xml) {
    QVector<Token> tokens;
    QXmlStreamReader reader(xml);
    while (!reader.atEnd()) {
        switch (reader.readNext()) {
        case QXmlStreamReader::StartElement:
            tokens.append({reader.tokenType(), reader.name().toString(), reader.attributes()});
            break;
        case QXmlStreamReader::EndElement:
            tokens.append({reader.tokenType(), QString(), {}});
            break;
        case QXmlStreamReader::Characters:
            if (!reader.isWhitespace())
                tokens.append({reader.tokenType(), reader.text().toString(), {}});
            break;
        default:
            break;
        }
    }
    return tokens;
}

void FloorSave(benchmark::State &state) {
    const QByteArray target = QFile::encodeName(fixture->dir.path() + "/floor.xml");
    const QByteArray temporary = target + ".tmp";
    const QVector<Token> tokens = tokenize(fixture->xml);
    for (auto _ : state) {
        QByteArray buffer;
        QXmlStreamWriter writer(&buffer);
        writer.setAutoFormatting(true);
        writer.writeStartDocument();
        for (const Token &token : tokens) {
            if (token.type == QXmlStreamReader::StartElement) {
                writer.writeStartElement(token.text);
                writer.writeAttributes(token.attributes);
            } else if (token.type == QXmlStreamReader::EndElement) {
                writer.writeEndElement();
            } else {
                writer.writeCharacters(token.text);
            }
        }
        const int fd = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (::write(fd, buffer.constData(), buffer.size()) != buffer.size())
            state.SkipWithError("write failed");
        ::fsync(fd);
        ::close(fd);
        ::rename(temporary.constData(), target.constData());
    }
}

void FloorLoad(benchmark::State &state) {
    const QString path = fixture->dir.path() + "/config/bench/tree.xml";
    for (auto _ : state) {
        QFile file(path);
        file.open(QIODevice::ReadOnly);
        QXmlStreamReader reader(&file);
        int tokens = 0;
        while (!reader.atEnd()) {
            reader.readNext();
            ++tokens;
        }
        benchmark::DoNotOptimize(tokens);
    }
}

// The engine alone making the tree's script arrays with JSON.parse: the part of a load
// that no reader can avoid and that the JSON peer, which keeps arrays as data, skips.
void ScriptArrays(benchmark::State &state) {
    QJSValue json = fixture->engine.evaluate(QStringLiteral("JSON"));
    QJSValue parse = json.property(QStringLiteral("parse"));
    for (auto _ : state) {
        QList<QJSValue> arrays;
        arrays.reserve(fixture->arrays.size());
        for (const QString &text : qAsConst(fixture->arrays))
            arrays.append(parse.callWithInstance(json, {QJSValue(text)}));
        benchmark::DoNotOptimize(arrays.size());
    }
}

// Collects the time per iteration of every benchmark so the ratios come from this run.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    QMap<QString, double> times;

    void ReportRuns(const std::vector<Run> &runs) override {
        ConsoleReporter::ReportRuns(runs);
        // One figure a benchmark: the median when it is repeated, else its run.
        for (const Run &run : runs) {
            const bool aggregate = run.run_type == Run::RT_Aggregate;
            if (aggregate ? run.aggregate_name == "median" : run.iterations > 0)
                times[QString::fromStdString(run.run_name.function_name)] =
                    run.GetAdjustedRealTime();
        }
    }
};

} // namespace

BENCHMARK(SettingsSave)->Unit(benchmark::kMillisecond);
BENCHMARK(IniSave)->Unit(benchmark::kMillisecond);
BENCHMARK(JsonSave)->Unit(benchmark::kMillisecond);
BENCHMARK(FloorSave)->Unit(benchmark::kMillisecond);
BENCHMARK(SettingsLoad)->Unit(benchmark::kMillisecond);
BENCHMARK(IniLoad)->Unit(benchmark::kMillisecond);
BENCHMARK(JsonLoad)->Unit(benchmark::kMillisecond);
BENCHMARK(JsonLoadValues)->Unit(benchmark::kMillisecond);
BENCHMARK(FloorLoad)->Unit(benchmark::kMillisecond);
BENCHMARK(ScriptArrays)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    Fixture data;
    fixture = &data;
    // The peers' load cases read what their save cases wrote; write both once up front.
    {
        QSettings ini(data.dir.path() + "/peer.ini", QSettings::IniFormat);
        for (auto it = data.flat.cbegin(); it != data.flat.cend(); ++it)
            ini.setValue(it.key(), it.value());
        QSaveFile json(data.dir.path() + "/peer.json");
        json.open(QIODevice::WriteOnly);
        json.write(QJsonDocument(data.json).toJson());
        json.commit();
    }
    std::printf("values in the tree: %d\n", groups * (perGroup + listItems));
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    auto ratio = [&](const char *a, const char *b) {
        const double x = reporter.times.value(a), y = reporter.times.value(b);
        std::printf("%-14s / %-14s = %6.2f\n", a, b, y > 0 ? x / y : 0.0);
    };
    std::printf("\nratios (below 1: Settings is faster)\n");
    ratio("SettingsSave", "IniSave");
    ratio("SettingsSave", "JsonSave");
    ratio("SettingsSave", "FloorSave");
    ratio("SettingsLoad", "IniLoad");
    ratio("SettingsLoad", "JsonLoad");
    ratio("SettingsLoad", "FloorLoad");
    ratio("ScriptArrays", "JsonLoad");
    ratio("SettingsLoad", "JsonLoadValues");
    benchmark::Shutdown();
    return 0;
}
