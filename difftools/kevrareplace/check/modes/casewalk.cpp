// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#include "check/modes/casewalk.h"

int forEachCase(const QVector<ConfigFile> &caseFiles, int firstFile, QVector<Finding> &findings,
    const CaseVisitor &visit)
{
    int notCases = 0;
    for (int f = 0; f < caseFiles.size(); ++f) {
        const QString &name = caseFiles.at(f).name;
        D_CaseFile cases(caseFiles.at(f).bytes);
        while (cases.next()) {
            if (cases.kind() == D_CaseFile::NotACase) {
                ++notCases;
                findings.append(findingAtLine("test-syntax", name, firstFile + f, cases.line(),
                    cases.errorColumn(),
                    QLatin1String("this line is not a case: ") + cases.errorMessage()));
                continue;
            }
            visit(cases, name, firstFile + f);
        }
    }
    return notCases;
}
