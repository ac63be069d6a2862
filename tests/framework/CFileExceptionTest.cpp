#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "framework/CFileException.h"

TEST(CFileExceptionCause, MapsErrnoValues) {
  const struct {
    int osError;
    int cause;
  } cases[] = {
      {0, CFileException::none},
      {ENOENT, CFileException::fileNotFound},
      {ENOTDIR, CFileException::badPath},
      {EMFILE, CFileException::tooManyOpenFiles},
      {EACCES, CFileException::accessDenied},
      {EISDIR, CFileException::accessDenied},
      {EBADF, CFileException::invalidFile},
      {ESPIPE, CFileException::badSeek},
      {EIO, CFileException::hardIO},
      {ETXTBSY, CFileException::sharingViolation},
      {ENOLCK, CFileException::lockViolation},
      {ENOSPC, CFileException::diskFull},
      {EINVAL, CFileException::genericException},
  };
  for (const auto& entry : cases)
    EXPECT_EQ(entry.cause, CFileException::OsErrorToCause(entry.osError)) << std::strerror(entry.osError);
}

TEST(CFileExceptionMessage, NamesTheFileAndExplainsVagueCauses) {
  const CFileException generic(CFileException::genericException, EINVAL, "/tmp/x.txt");
  EXPECT_EQ(std::string("An unexpected error occurred while accessing \"/tmp/x.txt\" (") + std::strerror(EINVAL) + ").",
            generic.GetErrorMessage().GetString());
  EXPECT_STREQ("Access to the file \"/tmp/x.txt\" was denied.",
               CFileException(CFileException::accessDenied, EACCES, "/tmp/x.txt").GetErrorMessage());
  EXPECT_NE(nullptr, std::strstr(CFileException(12345, -1, "/a").GetErrorMessage(), "\"/a\""));
}

TEST(CFileExceptionMessage, BufferFormTruncatesAndTerminates) {
  const CFileException error(CFileException::fileNotFound, ENOENT, "/tmp/x.txt");
  char buffer[9];
  UINT helpContext = 7;
  EXPECT_TRUE(error.GetErrorMessage(buffer, sizeof buffer, &helpContext));
  EXPECT_STREQ("The file", buffer);
  EXPECT_EQ(0u, helpContext);
}

TEST(CExceptionMessage, BaseHasNoMessage) {
  const CException error;
  char buffer[4] = "old";
  EXPECT_FALSE(error.GetErrorMessage(buffer, sizeof buffer));
  EXPECT_STREQ("", buffer);
  EXPECT_TRUE(error.GetErrorMessage().IsEmpty());
}
