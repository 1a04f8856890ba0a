// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#ifndef D_PIECEINDEX_H
#define D_PIECEINDEX_H

#include <QByteArray>
#include <QtGlobal>

#include <utility>
#include <vector>

/// Finds the rules that may match a string by four bytes of each rule's piece: a string
/// can only hold a rule's piece if it holds those four bytes.
class D_PieceIndex
{
public:
    D_PieceIndex();
    virtual ~D_PieceIndex();

    D_PieceIndex(const D_PieceIndex &) = delete;
    D_PieceIndex &operator=(const D_PieceIndex &) = delete;

    /// Indexes every rule of \a pieces (rule number and piece of at least four bytes) by the
    /// four bytes of its piece that the fewest other pieces share, replacing what was indexed.
    void build(const std::vector<std::pair<int, QByteArray>> &pieces);

    /// Appends to \a rules the number of every indexed rule whose four bytes occur in the
    /// \a size bytes at \a data; a rule may be appended more than once.
    void collect(const char *data, int size, std::vector<int> &rules) const;

private:
    // A bit for the first two bytes of each key, then one for each hash of the keys, so that
    // most of a string's four-byte windows are passed over at the cost of a load or two.
    std::vector<quint64> pairs;
    std::vector<quint64> filter;
    int filterShift = 32;
    std::vector<quint32> keys; // sorted, each once
    std::vector<int> starts; // keys[k]'s rules are ruleNumbers[starts[k]] up to starts[k + 1]
    std::vector<int> ruleNumbers;
};

#endif // D_PIECEINDEX_H
