// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#include "check/reading/rulefilereading.h"

D_RuleFileReading::D_RuleFileReading(const QVector<ConfigFile> &files)
    : files(files)
    , documentScan(files)
{
}

D_RuleFileReading::~D_RuleFileReading() = default;

void D_RuleFileReading::read(const D_DocumentScan::StartTagVisitor &visit)
{
    documentScan.scan(visit);
    // The bytes go to the reader as the tool hands them over: one piece per file, in order.
    for (const ConfigFile &file : qAsConst(files))
        reader.addData(file.bytes);
    files.clear();
    reader.setWalkSteps(&steps);
    reader.read();
    reader.setWalkSteps(nullptr);
    elementOfRule.reserve(reader.entries().size());
    for (const WalkStep &step : qAsConst(steps)) {
        if (step.walk == WalkStep::File)
            elementOfRule.append(documentScan.elementStartingAt(step.start));
    }
}

const QVector<FileEntry> &D_RuleFileReading::entries() const { return reader.entries(); }

const QVector<WalkStep> &D_RuleFileReading::walkSteps() const { return steps; }

const D_DocumentScan &D_RuleFileReading::scan() const { return documentScan; }

int D_RuleFileReading::ruleElement(int rule) const { return elementOfRule.value(rule, -1); }

qint64 D_RuleFileReading::ruleOffset(int rule) const
{
    const int element = ruleElement(rule);
    return element >= 0 ? documentScan.elements().at(element).tagStart : 0;
}

QString D_RuleFileReading::ruleLocation(int rule) const
{
    return documentScan.locationText(ruleOffset(rule));
}
