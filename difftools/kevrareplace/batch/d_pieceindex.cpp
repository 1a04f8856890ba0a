// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#include "d_pieceindex.h"

#include <algorithm>
#include <cstring>

namespace {

quint32 keyAt(const char *data)
{
    quint32 key;
    std::memcpy(&key, data, sizeof key);
    return key;
}

quint32 hashOf(quint32 key) { return key * 2654435761u; }

} // namespace

D_PieceIndex::D_PieceIndex() = default;

D_PieceIndex::~D_PieceIndex() = default;

void D_PieceIndex::build(const std::vector<std::pair<int, QByteArray>> &pieces)
{
    // How many pieces hold each four bytes, by a hash of them: a collision only makes some
    // four bytes look more common than they are.
    std::vector<quint16> counts(1 << 16, 0);
    const auto forEachKey = [](const QByteArray &piece, auto &&use) {
        for (int i = 0; i + 4 <= piece.size(); ++i)
            use(keyAt(piece.constData() + i));
    };
    for (const auto &rulePiece : pieces) {
        forEachKey(rulePiece.second, [&](quint32 key) {
            quint16 &count = counts[hashOf(key) >> 16];
            count = quint16(std::min(count + 1, 0xffff));
        });
    }

    std::vector<std::pair<quint32, int>> byKey;
    byKey.reserve(pieces.size());
    for (const auto &rulePiece : pieces) {
        quint32 rarest = 0;
        int fewest = 0x10000;
        forEachKey(rulePiece.second, [&](quint32 key) {
            if (counts[hashOf(key) >> 16] < fewest) {
                fewest = counts[hashOf(key) >> 16];
                rarest = key;
            }
        });
        byKey.emplace_back(rarest, rulePiece.first);
    }
    std::sort(byKey.begin(), byKey.end());

    keys.clear();
    starts.clear();
    ruleNumbers.clear();
    for (const auto &keyRule : byKey) {
        if (keys.empty() || keys.back() != keyRule.first) {
            keys.push_back(keyRule.first);
            starts.push_back(int(ruleNumbers.size()));
        }
        ruleNumbers.push_back(keyRule.second);
    }
    starts.push_back(int(ruleNumbers.size()));

    // About 64 bits for each key: one window in a hundred or less passes the filter in vain.
    int bits = 10;
    while (bits < 26 && (size_t(1) << bits) < keys.size() * 64)
        ++bits;
    filterShift = 32 - bits;
    filter.assign((size_t(1) << bits) / 64, 0);
    pairs.assign((size_t(1) << 16) / 64, 0);
    for (const quint32 key : keys) {
        const quint32 bit = hashOf(key) >> filterShift;
        filter[bit / 64] |= quint64(1) << (bit % 64);
        const quint16 pair = quint16(key);
        pairs[pair / 64] |= quint64(1) << (pair % 64);
    }
}

void D_PieceIndex::collect(const char *data, int size, std::vector<int> &rules) const
{
    if (keys.empty())
        return;
    for (int i = 0; i + 4 <= size; ++i) {
        const quint32 key = keyAt(data + i);
        const quint16 pair = quint16(key);
        if (!(pairs[pair / 64] & (quint64(1) << (pair % 64))))
            continue;
        const quint32 bit = hashOf(key) >> filterShift;
        if (!(filter[bit / 64] & (quint64(1) << (bit % 64))))
            continue;
        const auto found = std::lower_bound(keys.begin(), keys.end(), key);
        if (found == keys.end() || *found != key)
            continue;
        const size_t k = size_t(found - keys.begin());
        rules.insert(
            rules.end(), ruleNumbers.begin() + starts[k], ruleNumbers.begin() + starts[k + 1]);
    }
}
