// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#include "text/losslesscodec.h"

#include <QtTest>

namespace {

// Code units as written, lone surrogates and a leading U+FEFF included (QString::fromUtf16
// would take a byte-order mark away).
QString units(const char16_t *text, int size = -1)
{
    return QString(reinterpret_cast<const QChar *>(text), size);
}

} // namespace

class tst_Codec : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void roundTrip_data();
    void roundTrip();
    void encode_data();
    void encode();
};

// Bytes and the text they decode to, which encodes to the same bytes again.
void tst_Codec::roundTrip_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");

    QTest::newRow("ASCII") << QByteArray("/data/cafe.txt") << units(u"/data/cafe.txt");
    QTest::newRow("valid 2-byte") << QByteArray("caf\xc3\xa9") << units(u"caf\u00e9");
    QTest::newRow("valid 3-byte") << QByteArray("\xe2\x82\xac") << units(u"\u20ac");
    QTest::newRow("valid 4-byte") << QByteArray("\xf0\x9f\x98\x80") << units(u"\xd83d\xde00");
    QTest::newRow("stray continuation byte") << QByteArray("a\x80/") << units(u"a\xdc80/");
    QTest::newRow("Latin-1 byte") << QByteArray("caf\xe9.txt") << units(u"caf\xdce9.txt");
    QTest::newRow("0xff") << QByteArray("\xff") << units(u"\xdcff");
    QTest::newRow("truncated sequence") << QByteArray("\xe2\x82/") << units(u"\xdce2\xdc82/");
    QTest::newRow("overlong form") << QByteArray("\xc0\xaf") << units(u"\xdcc0\xdcaf");
    QTest::newRow("encoded surrogate")
        << QByteArray("\xed\xa0\x80") << units(u"\xdced\xdca0\xdc80");
    QTest::newRow("beyond U+10FFFF")
        << QByteArray("\xf4\x90\x80\x80") << units(u"\xdcf4\xdc90\xdc80\xdc80");
    QTest::newRow("NUL") << QByteArray("a\0b", 3) << units(u"a\0b", 3);
    QTest::newRow("valid U+FFFD beside a bad byte")
        << QByteArray("\xef\xbf\xbd\xff") << units(u"\ufffd\xdcff");
    QTest::newRow("leading byte-order mark") << QByteArray("\xef\xbb\xbf/") << units(u"\ufeff/");
}

void tst_Codec::roundTrip()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(decodeLossless(bytes), text);
    QCOMPARE(encodeLossless(text), bytes);
}

// Text that no bytes decode to: lone surrogates other than the escaped bytes.
void tst_Codec::encode_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("lone high surrogate in text") << units(u"a\xd83d/") << QByteArray("a?/");
    QTest::newRow("lone low surrogate beyond the escapes")
        << units(u"a\xdd00/") << QByteArray("a?/");
    QTest::newRow("lone surrogate at the end") << units(u"a\xd83d") << QByteArray("a");
}

void tst_Codec::encode()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QCOMPARE(encodeLossless(text), bytes);
}

QTEST_APPLESS_MAIN(tst_Codec)

#include "tst_codec.moc"
