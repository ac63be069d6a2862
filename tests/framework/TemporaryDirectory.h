#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

// A fresh directory per test, removed with everything in it afterwards.
class TemporaryDirectoryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (std::filesystem::temp_directory_path() / "framework-test-XXXXXX").string();
    ASSERT_NE(nullptr, ::mkdtemp(pattern.data()));
    directory = pattern;
  }

  void TearDown() override { std::filesystem::remove_all(directory); }

  std::string PathOf(const char* name) const { return (directory / name).string(); }

  std::filesystem::path directory;
};
