#include "commandreport.h"
#include "scrambling.h"

#include <QRandomGenerator>
#include <QTest>

#include <array>

using Block = std::array<unsigned char, 8>;

namespace {

const Block kKey483915 = {0x00, '4', '8', '3', '9', '1', '5', 0x00};

Block scrambled(Block block, const Block &key)
{
    Scrambling::scramble(block.data(), key.data());
    return block;
}

} // namespace

class TestScrambling : public QObject
{
    Q_OBJECT

private slots:
    void checksumExamples()
    {
        const unsigned char setRate[7] = {0x01, 0x02, 0, 0, 0, 0, 0};
        QCOMPARE(CommandReport::checksum(setRate), 0xFC);
        const unsigned char getDpi[7] = {0x8B, 0, 0, 0, 0, 0, 0};
        QCOMPARE(CommandReport::checksum(getDpi), 0x74);
        const unsigned char wraps[7] = {0xFF, 0xFF, 0x02, 0, 0, 0, 0};
        QCOMPARE(CommandReport::checksum(wraps), 0xFF);
    }

    // Vectors worked out by hand from the mouse's scrambling rules.
    void knownBlocks()
    {
        QCOMPARE(scrambled({0x01, 0x02, 0, 0, 0, 0, 0, 0xFC}, kKey483915),
                 (Block{0x46, 0xFC, 0xD5, 0xAF, 0xAD, 0xD8, 0x6C, 0xF6}));
        QCOMPARE(scrambled({0x00, 0x11, 0x22, 0x33, 0x44, 0x00, 0x00, 0x55}, kKey483915),
                 (Block{0x48, 0xD9, 0x1D, 0xAF, 0x15, 0xDF, 0xF5, 0x06}));
    }

    void roundTripOverManyBlocksAndKeys()
    {
        QRandomGenerator random(20261207);
        for (int n = 0; n < 20000; ++n) {
            Block block{};
            Block key{};
            for (auto &b : block)
                b = static_cast<unsigned char>(random.bounded(256));
            for (auto &k : key)
                k = static_cast<unsigned char>(random.bounded(256));
            Block copy = scrambled(block, key);
            Scrambling::unscramble(copy.data(), key.data());
            QCOMPARE(copy, block);
        }
    }

    void onlyKeyBytesOneToSixMatter()
    {
        const Block block = {0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC, 0xDE, 0xF0};
        const Block reference = scrambled(block, kKey483915);
        for (size_t i : {size_t{0}, size_t{7}}) {
            Block key = kKey483915;
            key[i] = 0xA5;
            QCOMPARE(scrambled(block, key), reference);
        }
        for (size_t i = 1; i <= 6; ++i) {
            Block key = kKey483915;
            key[i] ^= 0x01;
            QVERIFY2(scrambled(block, key) != reference, qPrintable(QString::number(i)));
        }
    }

    // A block that the exchange and the key turn into zeros comes out as the
    // nibble-swapped table "TeKaMuLo".
    void zeroBlockGivesSwappedTable()
    {
        const Block k = kKey483915;
        const Block block = {k[5], k[4], 0x00, k[6], k[1], 0x00, k[3], k[2]};
        QCOMPARE(scrambled(block, k), (Block{0x45, 0x56, 0xB4, 0x16, 0xD4, 0x57, 0xC4, 0xF6}));
    }
};

QTEST_APPLESS_MAIN(TestScrambling)
#include "test_scrambling.moc"
