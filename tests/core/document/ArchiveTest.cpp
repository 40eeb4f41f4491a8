#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "core/document/ArchiveException.h"
#include "core/document/ArchiveReader.h"
#include "core/document/ArchiveWriter.h"

using namespace nuvo;

namespace {

std::span<const std::uint8_t> Span(const std::string& bytes) {
  return {reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()};
}

std::uint32_t FailureCode(const std::string& bytes, void (*read)(CArchiveReader&)) {
  CArchiveReader reader(Span(bytes));
  try {
    read(reader);
  } catch (const CArchiveException& e) {
    return e.Code();
  }
  return 0;
}

}  // namespace

TEST(Archive, WritesLittleEndianWithTheLowHalfOfI64First) {
  CArchiveWriter writer;
  writer.WriteU32(0x11223344);
  writer.WriteI64(-2);
  writer.WriteI64(0x0000000500000007);
  writer.WriteSize({640, -1});
  EXPECT_EQ(writer.Bytes(), std::string("\x44\x33\x22\x11"
                                        "\xFE\xFF\xFF\xFF\xFF\xFF\xFF\xFF"
                                        "\x07\0\0\0\x05\0\0\0"
                                        "\x80\x02\0\0\xFF\xFF\xFF\xFF",
                                        28));
  const std::string bytes = writer.Bytes();
  CArchiveReader reader(Span(bytes));
  EXPECT_EQ(reader.ReadU32(), 0x11223344u);
  EXPECT_EQ(reader.ReadI64(), -2);
  EXPECT_EQ(reader.ReadI64(), 0x0000000500000007);
  EXPECT_EQ(reader.ReadSize(), (PixelSize{640, -1}));
  EXPECT_EQ(reader.Remaining(), 0u);
}

TEST(Archive, LargeBlocksAreWrittenInPlaceAmongTheCopiedFields) {
  std::vector<std::uint8_t> small(10, 1);
  std::vector<std::uint8_t> large(100000, 2);
  CArchiveWriter writer;
  writer.WriteU8(7);
  writer.WriteBytes(large);
  writer.WriteBytes(small);
  writer.WriteBytes(large);
  writer.WriteU8(8);
  auto pieces = writer.Pieces();
  ASSERT_EQ(pieces.size(), 5u);
  EXPECT_EQ(pieces[1].data(), large.data());
  EXPECT_EQ(writer.Bytes(),
            "\x07" + std::string(100000, 2) + std::string(10, 1) + std::string(100000, 2) + "\x08");
}

TEST(Archive, StringLengthPrefixGrowsAt255AndAt65534) {
  struct Case {
    std::size_t length;
    std::string prefix;
  };
  for (const Case& c :
       {Case{0, std::string("\0", 1)}, Case{254, "\xFE"}, Case{255, std::string("\xFF\xFF\0", 3)},
        Case{65533, "\xFF\xFD\xFF"}, Case{65534, std::string("\xFF\xFF\xFF\xFE\xFF\0\0", 7)},
        Case{70000, std::string("\xFF\xFF\xFF\x70\x11\x01\0", 7)}}) {
    std::string text(c.length, 'x');
    CArchiveWriter writer;
    writer.WriteString(text);
    EXPECT_EQ(writer.Bytes().substr(0, c.prefix.size()), c.prefix) << c.length;
    EXPECT_EQ(writer.Bytes().size(), c.prefix.size() + c.length) << c.length;
    const std::string bytes = writer.Bytes();
    CArchiveReader reader(Span(bytes));
    EXPECT_EQ(reader.ReadString(), text) << c.length;
  }
}

TEST(Archive, ReadingPastTheEndRaisesEndOfFileBeforeAllocating) {
  auto readU32 = [](CArchiveReader& r) { r.ReadU32(); };
  auto readString = [](CArchiveReader& r) { r.ReadString(); };
  auto readBytes = [](CArchiveReader& r) { r.ReadBytes(r.ReadU32()); };
  auto readCount = [](CArchiveReader& r) { r.ReadCount(8); };
  EXPECT_EQ(FailureCode("\x01\x02\x03", readU32), kArchiveEndOfFile);
  EXPECT_EQ(FailureCode("\x05"
                        "abcd",
                        readString),
            kArchiveEndOfFile);
  // A four-gigabyte string announced by a seven-byte file.
  EXPECT_EQ(FailureCode("\xFF\xFF\xFF\xFF\xFF\xFF\xFF", readString), kArchiveEndOfFile);
  EXPECT_EQ(FailureCode("\xFF\xFF\xFF\x7F"
                        "abc",
                        readBytes),
            kArchiveEndOfFile);
  // Two records of eight bytes do not fit in the twelve bytes left.
  EXPECT_EQ(FailureCode(std::string("\x02\0\0\0", 4) + std::string(12, 'x'), readCount),
            kArchiveEndOfFile);
  EXPECT_EQ(FailureCode(std::string("\x02\0\0\0", 4) + std::string(16, 'x'), readCount), 0u);
}

TEST(Archive, AFileReadsAsItsBytesInMemoryWhereverTheBufferBreaksIt) {
  // Blocks and strings that straddle the file reader's buffer, and small fields after them.
  const std::vector<std::uint8_t> photo(300000, 0x5A);
  const std::string longText(70000, 'x');
  CArchiveWriter writer;
  for (int i = 0; i < 3; ++i) {
    writer.WriteString("photo" + std::to_string(i));
    writer.WriteU32(static_cast<std::uint32_t>(photo.size()));
    writer.WriteBytes(photo);
    writer.WriteString(longText);
    writer.WriteBytes(std::vector<std::uint8_t>(100, static_cast<std::uint8_t>(i)));
    writer.WriteI64(-i);
  }
  const std::string bytes = writer.Bytes();
  std::istringstream file(bytes);
  CArchiveReader reader(file, bytes.size());
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(reader.ReadString(), "photo" + std::to_string(i));
    EXPECT_EQ(reader.ReadBytes(reader.ReadU32()), photo);
    EXPECT_EQ(reader.ReadString(), longText);
    EXPECT_EQ(reader.ReadBytes(100), std::vector<std::uint8_t>(100, static_cast<std::uint8_t>(i)));
    EXPECT_EQ(reader.ReadI64(), -i);
  }
  EXPECT_EQ(reader.Remaining(), 0u);
}

TEST(Archive, AFileShorterThanItsSizeOrAnnouncingTooMuchIsDamaged) {
  // The writer refers to a block this large instead of copying it: it must outlive the writer.
  const std::vector<std::uint8_t> block(200000, 1);
  CArchiveWriter writer;
  writer.WriteU32(200000);
  writer.WriteBytes(block);
  const std::string bytes = writer.Bytes();
  // The file shrank after its size was taken.
  std::istringstream shrunk(bytes.substr(0, 150000));
  CArchiveReader cut(shrunk, bytes.size());
  EXPECT_THROW(cut.ReadBytes(cut.ReadU32()), CArchiveException);
  // A block longer than the rest of the file is refused before anything is read for it.
  std::istringstream whole(bytes);
  CArchiveReader reader(whole, bytes.size());
  reader.ReadU32();
  const auto before = whole.tellg();
  EXPECT_THROW(reader.ReadBytes(200001), CArchiveException);
  EXPECT_EQ(whole.tellg(), before);
}
