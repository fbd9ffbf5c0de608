#pragma once

#include "core/editor/editor.h"

#include "../support/corpus_dir.h"
#include "../support/fake_host.h"
#include "../support/scripted_questioner.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <ostream>
#include <string>

// Test names and failures show sheet names as text.
inline void PrintTo(const QString &text, std::ostream *out)
{
    *out << text.toStdString();
}

inline const QStringList &corpusSheets()
{
    static const QStringList names = {QStringLiteral("normalize.css"), QStringLiteral("bootstrap.css"),
                                      QStringLiteral("pure.css"), QStringLiteral("water.css"),
                                      QStringLiteral("bootstrap-2.3.2.css"), QStringLiteral("pure-0.5.0.css"),
                                      QStringLiteral("font-awesome-ie7.css"), QStringLiteral("jquery-ui.css"),
                                      QStringLiteral("basecoat.css"), QStringLiteral("webawesome-native.css"),
                                      QStringLiteral("spectrum-textfield.css"), QStringLiteral("oat-button.css"),
                                      QStringLiteral("oat-form.css"), QStringLiteral("spectrum-table.css"),
                                      QStringLiteral("bulma.css")};
    return names;
}

// The sheets of today: the preview's engine predates what they use, so
// they are rendered lowered, as the preview shows them.
inline bool isTodaysSheet(const QString &name)
{
    static const QStringList names = {QStringLiteral("basecoat.css"), QStringLiteral("webawesome-native.css"),
                                      QStringLiteral("spectrum-textfield.css"), QStringLiteral("oat-button.css"),
                                      QStringLiteral("oat-form.css"), QStringLiteral("spectrum-table.css"),
                                      QStringLiteral("bulma.css")};
    return names.contains(name);
}

// A sheet's name as a test name: letters and digits only.
inline std::string corpusTestName(const testing::TestParamInfo<QString> &info)
{
    QString name = info.param;
    name.removeIf([](QChar c) { return !c.isLetterOrNumber(); });
    return name.toStdString();
}

// Sheets as a Windows editor saves them: the public sheet with CR LF after
// every line but the last, which ends without a break.
inline QString crLfVariant(const QString &name)
{
    return QStringLiteral("crlf-") + name;
}

// The sheet's bytes, or an empty array and a reason.
inline QByteArray readCorpusSheet(const QString &name, QString *why)
{
    if (name.startsWith(QLatin1String("crlf-"))) {
        QByteArray bytes = readCorpusSheet(name.mid(5), why);
        bytes = joinLines(splitText(bytes));
        bytes.chop(2);
        return bytes;
    }
    QFile file(corpusDir() + QLatin1Char('/') + name);
    if (!file.open(QIODevice::ReadOnly)) {
        *why = QStringLiteral("%1 is missing from %2; run scripts/fetch-corpus (it needs the npm registry)")
                   .arg(name, corpusDir());
        return {};
    }
    return file.readAll();
}

// The sheet written into the folder under its own name: as the program
// writes lines, or byte for byte.
inline QString writeCorpusCopy(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes,
                               bool verbatim)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return {};
    file.write(verbatim ? bytes : joinLines(splitText(bytes)));
    return path;
}

struct RoundTrip {
    QList<QByteArray> rules;
    ByteLines tail;
    bool savedWell = false;
    QByteArray saved; // the file as the save left it on disk
    QList<ByteLines> preambles;
};

// Opens the file, selects each held rule in turn and saves it.
inline RoundTrip openSelectAllSave(const QString &path)
{
    FakeHost host;
    ScriptedQuestioner questioner;
    Editor editor(host, questioner);
    editor.files().NewSheet();
    RoundTrip result;
    if (!editor.files().OpenSheet(path))
        return result;
    SheetStore &store = editor.store();
    result.rules = store.list().items();
    result.tail = store.tail();
    for (int i = 0; i < store.styleCount(); ++i) {
        result.preambles.append(store.table().preamble(i));
        editor.ListTagClick(i);
    }
    result.savedWell = editor.files().SaveSheet();
    QFile saved(path);
    if (saved.open(QIODevice::ReadOnly))
        result.saved = saved.readAll();
    editor.files().ConfirmDiscard();
    return result;
}
