// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#include "d_replacestreamreader.h"
#include "replace/qtcompat.h"
#include "rulefilenames.h"

namespace {

// Non-zero is true. toInt takes base 10 only and gives 0 for anything it cannot read, so
// "true", "1.0", "0x1" and values beyond 32 bits are false, as is an absent attribute.
bool flag(const QXmlStreamAttributes &attributes, QLatin1String name)
{
    return attributes.value(name).toInt() != 0;
}

// A text equal to the one of the previous entry shares its copy: rule files often repeat a
// replacement text rule after rule.
QString text(const QXmlStreamAttributes &attributes, QLatin1String name, const QString &previous)
{
    const XmlStringView value = attributes.value(name);
    return value == previous ? previous : value.toString();
}

} // namespace

D_ReplaceStreamReader::D_ReplaceStreamReader()
    : D_ReplaceStreamReader(nullptr)
{
}

D_ReplaceStreamReader::D_ReplaceStreamReader(QXmlStreamReader *reader)
    : streamReader(reader ? reader : &ownStreamReader)
{
    ownStreamReader.setDevice(&input);
}

D_ReplaceStreamReader::~D_ReplaceStreamReader() = default;

void D_ReplaceStreamReader::addData(const QByteArray &data) { input.append(data); }

const QVector<FileEntry> &D_ReplaceStreamReader::entries() const { return entryList; }

void D_ReplaceStreamReader::setWalkSteps(QVector<WalkStep> *steps) { walkSteps = steps; }

void D_ReplaceStreamReader::endWalk(WalkStep::Walk walk, qint64 start)
{
    if (!walkSteps)
        return;
    const bool onEndTag = streamReader->tokenType() == QXmlStreamReader::EndElement;
    walkSteps->append(WalkStep { walk, start, onEndTag ? streamReader->characterOffset() : -1 });
}

// Each walk below ends on the first end tag that it reads itself, whichever element that tag
// closes, and the content of elements it does not know is walked token by token, not skipped.
// A document shaped as documented ends every walk on its own element's end tag; other shapes
// end a walk early, and the rules after that point are not read.

void D_ReplaceStreamReader::read()
{
    while (!streamReader->atEnd()) {
        const QXmlStreamReader::TokenType token = streamReader->readNext();
        if (token == QXmlStreamReader::EndElement)
            break;
        if (token == QXmlStreamReader::StartElement
            && streamReader->name() == RuleFileNames::replacementElement)
            readReplacementElement();
    }
    endWalk(WalkStep::Document, 0);
}

void D_ReplaceStreamReader::readReplacementElement()
{
    Q_ASSERT(streamReader->isStartElement()
        && streamReader->name() == RuleFileNames::replacementElement);
    const qint64 start = walkSteps ? streamReader->characterOffset() : 0;
    while (!streamReader->atEnd()) {
        const QXmlStreamReader::TokenType token = streamReader->readNext();
        if (token == QXmlStreamReader::EndElement)
            break;
        if (token == QXmlStreamReader::StartElement
            && streamReader->name() == RuleFileNames::fileElement)
            readFileElement();
    }
    endWalk(WalkStep::Replacement, start);
}

void D_ReplaceStreamReader::readFileElement()
{
    Q_ASSERT(streamReader->isStartElement() && streamReader->name() == RuleFileNames::fileElement);
    const QXmlStreamAttributes attributes = streamReader->attributes();
    const FileEntry previous = entryList.isEmpty() ? FileEntry() : entryList.last();
    const QString path = text(attributes, RuleFileNames::path, previous.path);
    const QString replacepath = text(attributes, RuleFileNames::replacepath, previous.replacepath);
    const bool cs = flag(attributes, RuleFileNames::cs);
    const bool wildcard = flag(attributes, RuleFileNames::wildcard);
    const bool regexp = flag(attributes, RuleFileNames::regexp);
    entryList.append(FileEntry { path, replacepath, regexp, cs, wildcard });

    const qint64 start = walkSteps ? streamReader->characterOffset() : 0;
    while (!streamReader->atEnd()) {
        if (streamReader->readNext() == QXmlStreamReader::EndElement)
            break;
    }
    endWalk(WalkStep::File, start);
}
