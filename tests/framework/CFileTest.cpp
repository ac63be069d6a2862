#include <gtest/gtest.h>

#include <cerrno>
#include <string>

#include "TemporaryDirectory.h"
#include "framework/CFile.h"

namespace {

class CFileTest : public TemporaryDirectoryTest {
 protected:
  std::string WriteFile(const char* name, const std::string& content) const {
    const std::string path = PathOf(name);
    CFile file(path.c_str(), CFile::modeCreate | CFile::modeWrite | CFile::typeBinary);
    file.Write(content.data(), static_cast<UINT>(content.size()));
    file.Close();
    return path;
  }
};

}  // namespace

TEST_F(CFileTest, WrittenBytesReadBackIncludingNuls) {
  const std::string content("line\0\r\n\xff", 8);
  CFile file(WriteFile("data.bin", content).c_str(), CFile::modeRead | CFile::shareDenyWrite);
  EXPECT_EQ(content.size(), file.GetLength());

  std::string buffer(100, '?');
  EXPECT_EQ(content.size(), file.Read(buffer.data(), 100));
  EXPECT_EQ(content, buffer.substr(0, content.size()));
}

TEST_F(CFileTest, ReadsByteByByteUntilTheEnd) {
  CFile file(WriteFile("abc.txt", "abc").c_str(), CFile::modeRead);
  std::string collected;
  char byte = 0;
  while (file.Read(&byte, 1) == 1) collected += byte;
  EXPECT_EQ("abc", collected);
  EXPECT_EQ(0u, file.Read(&byte, 1));
}

TEST_F(CFileTest, CreateTruncatesUnlessAskedNotTo) {
  const std::string path = WriteFile("keep.txt", "12345");
  CFile(path.c_str(), CFile::modeCreate | CFile::modeNoTruncate | CFile::modeReadWrite).Close();
  EXPECT_EQ(5u, CFile(path.c_str(), CFile::modeRead).GetLength());
  CFile(path.c_str(), CFile::modeCreate | CFile::modeWrite).Close();
  EXPECT_EQ(0u, CFile(path.c_str(), CFile::modeRead).GetLength());
}

TEST_F(CFileTest, MissingFileIsReportedWithItsPath) {
  const std::string path = PathOf("missing.txt");
  CFile file;
  CFileException error;
  EXPECT_FALSE(file.Open(path.c_str(), CFile::modeRead, &error));
  EXPECT_EQ(CFileException::fileNotFound, error.m_cause);
  EXPECT_EQ(ENOENT, error.m_lOsError);
  EXPECT_EQ("The file \"" + path + "\" was not found.", error.GetErrorMessage().GetString());

  EXPECT_THROW(CFile(path.c_str(), CFile::modeRead), CFileException);
}

TEST_F(CFileTest, DirectoryCannotBeOpened) {
  for (const UINT mode : {UINT{CFile::modeRead}, UINT{CFile::modeWrite}}) {
    CFile file;
    CFileException error;
    EXPECT_FALSE(file.Open(directory.c_str(), mode, &error));
    EXPECT_EQ(CFileException::accessDenied, error.m_cause);
  }
}

TEST_F(CFileTest, UseAfterCloseThrowsInvalidFile) {
  CFile file(WriteFile("closed.txt", "x").c_str(), CFile::modeRead);
  file.Close();
  file.Close();
  char byte = 0;
  try {
    file.Read(&byte, 1);
    FAIL() << "Read on a closed file returned";
  } catch (const CFileException& error) {
    EXPECT_EQ(CFileException::invalidFile, error.m_cause);
    EXPECT_EQ(CString(PathOf("closed.txt").c_str()), error.m_strFileName);
  }
  EXPECT_THROW(file.Write(&byte, 1), CFileException);
}

TEST_F(CFileTest, WritingAFileOpenedForReadingThrows) {
  CFile file(WriteFile("readonly.txt", "x").c_str(), CFile::modeRead);
  EXPECT_THROW(file.Write("y", 1), CFileException);
}
