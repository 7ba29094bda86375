// Reading the maker's version file: which lines are the model's entries and
// what number each one gives.
#include "app/version_file.h"

#include <gtest/gtest.h>

namespace vanto {
namespace {

struct VersionCase {
  const char* what;
  const char* file;
  const char* model;
  float lts;
  float test;
};

class VersionFileCases : public ::testing::TestWithParam<VersionCase> {};

TEST_P(VersionFileCases, GivesTheModelsVersions) {
  const VersionCase& c = GetParam();
  const PublishedVersions versions = ReadPublishedVersions(c.file, c.model);
  EXPECT_FLOAT_EQ(versions.lts, c.lts) << c.what;
  EXPECT_FLOAT_EQ(versions.test, c.test) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Entries, VersionFileCases,
    ::testing::Values(
        VersionCase{"only an LTS entry", "ORXA(LTS)=22.5\r\n", "ORXA", 22.5f, 0.0f},
        VersionCase{"both lines", "ORXB(LTS)=22.001\r\nORXB(EXP)=22.100\r\n", "ORXB", 22.001f,
                    22.1f},
        VersionCase{"six characters after the equals sign", "ORXA(EXP)=22.0012", "ORXA", 0.0f,
                    22.001f},
        VersionCase{"a shorter remainder is read whole", "ORXA(EXP)=23", "ORXA", 0.0f, 23.0f},
        VersionCase{"ORXC does not match ORXCB", "ORXCB(LTS)=30.000\nORXCB(EXP)=31.000\n",
                    "ORXC", 0.0f, 0.0f},
        VersionCase{"ORXCB matches its own", "ORXCB(LTS)=30.000\nORXCB(EXP)=31.000\n", "ORXCB",
                    30.0f, 31.0f},
        VersionCase{"ORXA does not match ORXAP", "ORXAP(EXP)=30.000", "ORXA", 0.0f, 0.0f},
        VersionCase{"a later entry wins", "ORXB(EXP)=22.100\rORXB(EXP)=22.050\r", "ORXB", 0.0f,
                    22.05f},
        VersionCase{"the entry may stand anywhere in the line", "latest ORXA(LTS)=22.300 x=9",
                    "ORXA", 22.3f, 0.0f},
        VersionCase{"the first equals sign counts", "ORXA(LTS)=22.4=23.0", "ORXA", 22.4f, 0.0f},
        VersionCase{"model names are case-sensitive", "orxa(LTS)=30.000", "ORXA", 0.0f, 0.0f},
        VersionCase{"the parenthesis must follow directly", "ORXA (LTS)=30.000", "ORXA", 0.0f,
                    0.0f},
        VersionCase{"infinity is no version", "ORXA(LTS)=inf\nORXA(EXP)=nan", "ORXA", 0.0f,
                    0.0f},
        VersionCase{"no entry at all", "hello\n", "ORXA", 0.0f, 0.0f}));

}  // namespace
}  // namespace vanto
