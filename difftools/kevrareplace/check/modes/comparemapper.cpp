// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#include "check/modes/comparemapper.h"
#include "batch/d_batchreplace.h"
#include "check/cli/exitcodes.h"
#include "check/findings/messagetext.h"
#include "check/modes/inputfilter.h"
#include "check/reading/batchrules.h"
#include "check/writers/outputwriter.h"
#include "text/losslesscodec.h"

#include <QHash>

#include <cstdint>
#include <string_view>

D_CompareMapper::D_CompareMapper(const CompareSide &oldSide, const CompareSide &newSide)
    : oldSide(oldSide)
    , newSide(newSide)
{
    const int oldCount = oldSide.entries.size();
    const int newCount = newSide.entries.size();
    QHash<FileEntry, QVector<int>> unmatched; // old rules by key, in reverse order
    for (int i = oldCount - 1; i >= 0; --i)
        unmatched[oldSide.entries.at(i)].append(i);
    newRuleOf.assign(size_t(oldCount), -1);
    idOfNew.resize(size_t(newCount));
    for (int j = 0; j < newCount; ++j) {
        const auto same = unmatched.find(newSide.entries.at(j));
        if (same == unmatched.end() || same->isEmpty()) {
            idOfNew[size_t(j)] = oldCount + j;
            continue;
        }
        const int i = same->takeLast();
        newRuleOf[size_t(i)] = j;
        idOfNew[size_t(j)] = i;
    }
    gained.assign(size_t(oldCount + newCount), 0);
    lost.assign(size_t(oldCount + newCount), 0);
    samples.resize(size_t(oldCount + newCount));
}

D_CompareMapper::~D_CompareMapper() = default;

void D_CompareMapper::setNulTerminated(bool nulTerminated)
{
    terminator = nulTerminated ? '\0' : '\n';
}

void D_CompareMapper::setVerbose(bool verbose) { samplesKept = verbose ? SIZE_MAX : 3; }

void D_CompareMapper::keepSample(
    size_t id, const QByteArray &string, const QByteArray &oldText, const QByteArray &newText)
{
    // Copies of the bytes: the string and a result it stands for are the input's, which the
    // next string overwrites.
    const auto copy = [](const QByteArray &bytes) {
        return QByteArray(bytes.constData(), bytes.size());
    };
    if (samples[id].size() < samplesKept)
        samples[id].push_back(Sample { copy(string), copy(oldText), copy(newText) });
}

void D_CompareMapper::compareString(const char *data, int size, QByteArray &output)
{
    ++read;
    // An empty string is not one the tool takes: it maps to itself on both sides.
    if (size == 0)
        return;
    const int oldRule = oldSide.replace.map(data, size, oldResult);
    const int newRule = newSide.replace.map(data, size, newResult);
    const int oldId = oldRule;
    const int newId = newRule < 0 ? -1 : idOfNew[size_t(newRule)];
    // A string that no rule changes comes back as its very bytes.
    const QByteArray string = QByteArray::fromRawData(data, size);
    const QByteArray &oldText = oldRule >= 0 ? oldResult : string;
    const QByteArray &newText = newRule >= 0 ? newResult : string;
    if (oldId != newId) {
        if (oldId >= 0) {
            ++lost[size_t(oldId)];
            keepSample(size_t(oldId), string, oldText, newText);
        }
        if (newId >= 0) {
            ++gained[size_t(newId)];
            keepSample(size_t(newId), string, oldText, newText);
        }
    }
    if (oldText == newText)
        return;
    ++differing;
    const char fieldEnd = terminator == '\0' ? '\0' : '\t';
    output.append(data, size);
    output += fieldEnd;
    output += oldText;
    output += fieldEnd;
    output += newText;
    output += fieldEnd;
    if (oldRule >= 0)
        output += oldSide.locations.value(oldRule);
    output += fieldEnd;
    if (newRule >= 0)
        output += newSide.locations.value(newRule);
    output += terminator;
}

qint64 D_CompareMapper::stringsRead() const { return read; }

qint64 D_CompareMapper::stringsDiffering() const { return differing; }

QString D_CompareMapper::samplesText(size_t id) const
{
    const auto quote = [](const QByteArray &bytes) {
        return quotedField(std::string_view(bytes.constData(), size_t(bytes.size())));
    };
    QString text;
    for (const Sample &sample : samples[id])
        text += QLatin1String("  ") + quote(sample.string) + QLatin1String(": old ")
            + quote(sample.oldText) + QLatin1String(", new ") + quote(sample.newText)
            + QLatin1Char('\n');
    const qint64 more = gained[id] + lost[id] - qint64(samples[id].size());
    if (more > 0)
        text += QLatin1String("  and ") + counted(more, "more string", "more strings")
            + QLatin1String("; -v shows them all\n");
    return text;
}

QString D_CompareMapper::summary() const
{
    QString text = counted(read, "string read, ", "strings read, ")
        + counted(differing, "differs\n", "differ\n");
    const auto counts = [this](size_t id) {
        return QString::number(gained[id]) + QLatin1String(" gained, ") + QString::number(lost[id])
            + QLatin1String(" lost\n") + samplesText(id);
    };
    const auto location = [](const CompareSide &side, int rule) {
        return decodeLossless(side.locations.value(rule));
    };
    const int oldCount = oldSide.entries.size();
    for (int i = 0; i < oldCount; ++i) {
        if (gained[size_t(i)] == 0 && lost[size_t(i)] == 0)
            continue;
        const int j = newRuleOf[size_t(i)];
        text += j >= 0 ? location(newSide, j) + QLatin1String(": kept rule (")
                + location(oldSide, i) + QLatin1String("): ")
                       : location(oldSide, i) + QLatin1String(": removed rule: ");
        text += counts(size_t(i));
    }
    for (int j = 0; j < newSide.entries.size(); ++j) {
        const size_t id = size_t(oldCount + j);
        if (idOfNew[size_t(j)] == int(id) && gained[id] > 0)
            text += location(newSide, j) + QLatin1String(": added rule: ") + counts(id);
    }
    return text;
}

int D_CompareMapper::run(D_OutputWriter &writer)
{
    const auto compare = [this](const char *data, int size, QByteArray &output) {
        compareString(data, size, output);
    };
    if (!filterStandardInput(terminator, compare, writer))
        return ExitError;
    writer.writeMessage(summary());
    return differing > 0 ? ExitFindings : ExitOk;
}

int compareStandardInput(const QVector<ConfigFile> &oldFiles, const QVector<ConfigFile> &newFiles,
    bool nulTerminated, bool verbose, D_OutputWriter &writer)
{
    D_BatchReplace oldReplace;
    D_BatchReplace newReplace;
    CompareSide oldSide { oldReplace, {}, {} };
    CompareSide newSide { newReplace, {}, {} };
    oldSide.entries = readRules(oldFiles, oldReplace, &oldSide.locations);
    newSide.entries = readRules(newFiles, newReplace, &newSide.locations);
    D_CompareMapper mapper(oldSide, newSide);
    mapper.setNulTerminated(nulTerminated);
    mapper.setVerbose(verbose);
    return mapper.run(writer);
}
