// One filled packet of every type, for round trips and truncation runs.
#pragma once

#include "foundation/core/PacketCodec.h"

#include <vector>

namespace packet_samples {

inline const uint8_t kBytes[] = {0xFF, 0xD8, 0x00, 0x01, 0x7F, 0x80, 0xFE, 0x10, 0x00, 0x42};

inline ByteSpan Span(uint32_t size)
{
    return ByteSpan{kBytes, size};
}

inline PacketFields Text(const std::u16string& text)
{
    PacketFields p;
    p.type = kPacketText;
    p.text = text;
    p.digest = MakeCommandDigest(text);
    return p;
}

inline std::vector<PacketFields> EveryType()
{
    std::vector<PacketFields> all;
    all.push_back(Text(u"[KW00050]1,2,\uD55C\uAE00"));

    PacketFields format;
    format.type = kPacketScreenFormat;
    format.screenWidth = 1920;
    format.screenHeight = 1080;
    format.bitsPerPixel = 32;
    all.push_back(format);

    PacketFields record;
    record.type = kPacketRecord;
    for (int n = 0; n < 5; ++n)
        record.recordValues[n] = 0x01020304u * (n + 1);
    for (int n = 0; n < 4; ++n)
        record.recordShorts[n] = static_cast<uint16_t>(0xA000 + n);
    record.recordA = Span(3);
    record.recordB = Span(10);
    all.push_back(record);

    PacketFields keys;
    keys.type = kPacketKeys;
    keys.keys = {{0x100, 0x41, 1, 0x001E}, {0x101, 0x2C, 1, 0xC137}};
    all.push_back(keys);

    PacketFields mice;
    mice.type = kPacketMice;
    mice.mice = {{0x200, 0, 10, 20, 0}, {0x20A, 8, -5, 70000, -120}, {0x201, 4, 0, 0, 0}};
    all.push_back(mice);

    PacketFields image;
    image.type = kPacketImage;
    image.valueA = 1, image.valueB = 2, image.valueC = 3, image.valueD = 4;
    image.valueE = 0, image.valueF = 6, image.valueG = 7;
    image.value = 99;
    image.rect = {-1, 2, 1024, 768};
    image.image = Span(10);
    all.push_back(image);

    PacketFields lead;
    lead.type = kPacketLeadBlock;
    lead.leadingValue = 0xDEADBEEF;
    lead.rawSize = 4096;
    lead.sequence = 17;
    lead.data = Span(7);
    all.push_back(lead);

    PacketFields chunk;
    chunk.type = kPacketFileChunk;
    chunk.transferKind = 3;
    chunk.pieceCount = 4;
    chunk.pieceNumber = 2;
    chunk.fileName = u"\uBCF4\uACE0\uC11C.txt";
    chunk.data = Span(10);
    all.push_back(chunk);

    PacketFields value;
    value.type = kPacketValue;
    value.value = 12345;
    value.flag = 1;
    all.push_back(value);

    PacketFields sound;
    sound.type = kPacketSound;
    sound.rawSize = 44100;
    sound.data = Span(6);
    all.push_back(sound);

    PacketFields block;
    block.type = kPacketScreenBlock;
    block.rawSize = 10;
    block.sequence = 5;
    block.data = Span(10);
    all.push_back(block);
    return all;
}

} // namespace packet_samples
