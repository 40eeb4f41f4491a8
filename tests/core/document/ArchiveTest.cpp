#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "core/document/ArchiveException.h"
#include "core/document/ArchiveReader.h"
#include "core/document/ArchiveWriter.h"
#include "support/TempDir.h"

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

// A file of `bytes` at `path`, opened.
std::shared_ptr<const CReadOnlyFile> FileHolding(const std::filesystem::path& path,
                                                 const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
  return CReadOnlyFile::Open(path);
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
  EXPECT_EQ(std::get<std::span<const std::uint8_t>>(pieces[1]).data(), large.data());
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
  TempDir dir;
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
  CArchiveReader reader(FileHolding(dir.path() / "a.nvd", bytes));
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(reader.ReadString(), "photo" + std::to_string(i));
    EXPECT_EQ(reader.ReadBytes(reader.ReadU32()), photo);
    EXPECT_EQ(reader.ReadString(), longText);
    EXPECT_EQ(reader.ReadBytes(100), std::vector<std::uint8_t>(100, static_cast<std::uint8_t>(i)));
    EXPECT_EQ(reader.ReadI64(), -i);
  }
  EXPECT_EQ(reader.Remaining(), 0u);
}

TEST(Archive, PhotosReadFromAFileStayThereAsPiecesOfIt) {
  TempDir dir;
  const std::vector<std::uint8_t> photo(300000, 0x5A);
  CArchiveWriter writer;
  writer.WriteString("first");
  writer.WriteU32(3);
  writer.WriteBytes(std::vector<std::uint8_t>{1, 2, 3});
  writer.WriteU32(static_cast<std::uint32_t>(photo.size()));
  writer.WriteBytes(photo);
  writer.WriteString("after");
  const std::string bytes = writer.Bytes();
  CArchiveReader reader(FileHolding(dir.path() / "a.nvd", bytes));
  EXPECT_EQ(reader.ReadString(), "first");
  // A small one lies inside what the reader has buffered, a large one mostly beyond it.
  const CPhotoData small = reader.ReadPhotoData(reader.ReadU32());
  const CPhotoData large = reader.ReadPhotoData(reader.ReadU32());
  EXPECT_EQ(reader.ReadString(), "after");
  ASSERT_TRUE(small.InFile() && large.InFile());
  EXPECT_EQ(small.InFile()->offset, 10u);
  EXPECT_EQ(*small.Read(), (std::vector<std::uint8_t>{1, 2, 3}));
  EXPECT_EQ(*large.Read(), photo);
  EXPECT_EQ(*large.Read(4), std::vector<std::uint8_t>(4, 0x5A));

  // Written again, the pieces are copied from the file into the same places.
  CArchiveWriter again;
  again.WriteString("first");
  again.WriteU32(3);
  again.WritePhotoData(small);
  again.WriteU32(static_cast<std::uint32_t>(photo.size()));
  again.WritePhotoData(large);
  again.WriteString("after");
  EXPECT_EQ(again.Bytes(), bytes);
}

TEST(Archive, AFileShorterThanItsSizeOrAnnouncingTooMuchIsDamaged) {
  TempDir dir;
  const std::vector<std::uint8_t> block(200000, 1);
  CArchiveWriter writer;
  writer.WriteU32(200000);
  writer.WriteBytes(block);
  const std::string bytes = writer.Bytes();
  const std::filesystem::path path = dir.path() / "a.nvd";
  CArchiveReader cut(FileHolding(path, bytes));
  // The file shrank after it was opened.
  std::filesystem::resize_file(path, 150000);
  EXPECT_THROW(cut.ReadBytes(cut.ReadU32()), CArchiveException);
  // A block longer than the rest of the file is refused, as a photo too.
  CArchiveReader reader(FileHolding(path, bytes));
  reader.ReadU32();
  EXPECT_THROW(reader.ReadBytes(200001), CArchiveException);
  EXPECT_THROW(reader.ReadPhotoData(200001), CArchiveException);
  EXPECT_EQ(reader.Remaining(), 200000u);
}
