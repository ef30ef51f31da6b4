// Leaves in a dumped plugins.qmltypes only what the module itself offers. The dumper
// loads the host's modules while compiling the plugin's own components, then files
// their QML types under the dumped module's name, describes their native types too,
// and names the types of QML-declared properties by internal names no tool resolves
// ("DataSource_QMLTYPE_24"). Those become the module's own component names, or QObject
// for the types other modules own.
//
// usage: orvane-qmltypesfilter FILE QMLDIR...

#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QTextStream>

#include <cstdio>

namespace {

QSet<QString> typesNamedIn(const QString &qmldirPath) {
    QSet<QString> names;
    QFile qmldir(qmldirPath);
    if (!qmldir.open(QIODevice::ReadOnly | QIODevice::Text))
        return names;
    static const QRegularExpression entry(
        QStringLiteral("^(?:singleton\\s+)?([A-Z]\\w*)\\s+\\d+\\.\\d+\\s+\\S+\\.qml$"));
    while (!qmldir.atEnd()) {
        const auto match = entry.match(QString::fromUtf8(qmldir.readLine()).trimmed());
        if (match.hasMatch())
            names.insert(match.captured(1));
    }
    return names;
}

} // namespace

int main(int argc, char **argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s FILE QMLDIR...\n", argv[0]);
        return 2;
    }
    QSet<QString> foreign;
    for (int i = 2; i < argc; ++i)
        foreign.unite(typesNamedIn(QString::fromLocal8Bit(argv[i])));

    const QString path = QString::fromLocal8Bit(argv[1]);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 1;
    }
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    file.close();

    // Components are the blocks opened and closed at the module's indentation.
    static const QRegularExpression compositeName(
        QStringLiteral("^        name: \"[\\w.]+/(\\w+) \\d+\\.\\d+\"$"));
    static const QRegularExpression nativeName(QStringLiteral("^        name: \"([\\w:]+)\"$"));
    static const QRegularExpression exports(QStringLiteral("^        exports: \\[(.*)\\]$"));
    static const QRegularExpression ownExport(QStringLiteral("\"Orvane(?:\\.impl)?/"));
    QStringList kept;
    QStringList block;
    QSet<QString> dropped;    // native names of other modules' types
    QSet<QString> components; // the module's own QML components
    QString native;
    bool inBlock = false;
    bool drop = false;
    for (const QString &line : lines) {
        if (!inBlock && line == QLatin1String("    Component {")) {
            inBlock = true;
            drop = false;
            native.clear();
            block = QStringList{line};
            continue;
        }
        if (!inBlock) {
            kept.append(line);
            continue;
        }
        block.append(line);
        const auto composite = compositeName.match(line);
        if (composite.hasMatch()) {
            if (foreign.contains(composite.captured(1)))
                drop = true;
            else
                components.insert(composite.captured(1));
        }
        const auto named = nativeName.match(line);
        if (named.hasMatch())
            native = named.captured(1);
        const auto exported = exports.match(line);
        if (exported.hasMatch() && !exported.captured(1).contains(ownExport))
            drop = true;
        if (line == QLatin1String("    }")) {
            inBlock = false;
            if (!drop)
                kept.append(block);
            else if (!native.isEmpty())
                dropped.insert(native);
        }
    }

    static const QRegularExpression typeName(QStringLiteral("\"([\\w:]+)\""));
    static const QRegularExpression internal(QStringLiteral("^(\\w+)_QMLTYPE_\\d+$"));
    for (QString &line : kept) {
        const bool typed = line.contains(QLatin1String("type: ")) ||
                           line.contains(QLatin1String("prototype: ")) ||
                           line.contains(QLatin1String("attachedType: "));
        if (!typed)
            continue;
        QString result;
        int last = 0;
        for (auto it = typeName.globalMatch(line); it.hasNext();) {
            const auto match = it.next();
            const QString name = match.captured(1);
            const auto own = internal.match(name);
            QString replacement;
            if (own.hasMatch())
                replacement = components.contains(own.captured(1))
                                  ? QStringLiteral("Orvane/%1 1.0").arg(own.captured(1))
                                  : QStringLiteral("QObject");
            else if (dropped.contains(name))
                replacement = QStringLiteral("QObject");
            if (replacement.isEmpty())
                continue;
            result += line.midRef(last, match.capturedStart(1) - last) + replacement;
            last = match.capturedEnd(1);
        }
        if (last)
            line = result + line.midRef(last);
    }

    if (!file.open(QIODevice::WriteOnly | QIODevice::Text | QIODevice::Truncate)) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    QTextStream(&file) << kept.join(QLatin1Char('\n'));
    return 0;
}
