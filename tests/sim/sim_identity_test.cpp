// Enumeration, opening and the instrument's identity in the EEPROM
// descriptor words, checked against the program's identity rules.
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "sim/sim_library.h"

namespace vanto::testing {
namespace {

// The program's model check: the product text begins with a listed text.
bool ProductAcceptedFor(const std::string& product, const std::string& selected) {
  static const std::map<std::string, std::vector<std::string>> accepted{
      {"ORXA", {"ORXA", "Quillotek ORXA"}},
      {"ORXAP", {"ORXAP", "Quillotek ORXAP"}},
      {"ORXB", {"Quillotek ORXB"}},
      {"ORXC", {"Quillotek ORXC"}},
      {"ORXCB", {"Quillotek ORXC"}}};
  for (const std::string& prefix : accepted.at(selected)) {
    if (product.compare(0, prefix.size(), prefix) == 0) return true;
  }
  return false;
}

// One character per word; codes of 32 or less and of 126 or more read as spaces.
std::string DescriptorText(const std::vector<Word>& words, int first, int count) {
  std::string text;
  for (int i = 0; i < count; ++i) {
    Word code = words[static_cast<std::size_t>(first + i)];
    text += (code <= 32 || code >= 126) ? ' ' : static_cast<char>(code);
  }
  return text;
}

class IdentityTest : public SimFixture {
 protected:
  std::vector<Word> DescriptorWords() {
    std::vector<Word> words(129);
    for (Dword address = 0; address <= 128; ++address) {
      EXPECT_EQ(sim_.api.ReadEE(handle_, address, &words[address]), 0u);
    }
    return words;
  }
  std::string ProductOf(const std::string& model) {
    Configure("model=" + model + "\n");
    OpenDevice();
    std::string product = DescriptorText(DescriptorWords(), 95, 25);
    CloseDevice();
    return product;
  }
};

class EachModel : public IdentityTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(EachModel, DescriptorNamesTheMakerAndPassesForItsOwnModel) {
  Configure(std::string("model=") + GetParam() + "\n");
  OpenDevice();
  std::vector<Word> words = DescriptorWords();
  EXPECT_EQ(DescriptorText(words, 81, 14).rfind("Quillotek", 0), 0u);
  std::string product = DescriptorText(words, 95, 25);
  EXPECT_TRUE(ProductAcceptedFor(product, GetParam())) << "product text: " << product;
}

INSTANTIATE_TEST_SUITE_P(Models, EachModel,
                         ::testing::Values("ORXA", "ORXAP", "ORXB", "ORXC", "ORXCB"));

struct CrossCase {
  const char* instrument;
  const char* selected;
  bool accepted;
};

void PrintTo(const CrossCase& c, std::ostream* os) {
  *os << c.instrument << " as " << c.selected;
}

class CrossModel : public IdentityTest, public ::testing::WithParamInterface<CrossCase> {};

TEST_P(CrossModel, ProductTextPassesOnlyWhereTheProgramAllows) {
  std::string product = ProductOf(GetParam().instrument);
  EXPECT_EQ(ProductAcceptedFor(product, GetParam().selected), GetParam().accepted)
      << GetParam().instrument << " instrument with " << GetParam().selected << " selected";
}

INSTANTIATE_TEST_SUITE_P(
    Pairs, CrossModel,
    ::testing::Values(CrossCase{"ORXA", "ORXAP", false}, CrossCase{"ORXB", "ORXC", false},
                      CrossCase{"ORXC", "ORXB", false}, CrossCase{"ORXC", "ORXCB", true},
                      CrossCase{"ORXCB", "ORXC", true}, CrossCase{"ORXA", "ORXB", false}));

TEST_F(IdentityTest, ModelComesFromTheEnvironmentUnlessTheFileNamesOne) {
  ::setenv("ORX_SIM_MODEL", "ORXB", 1);
  Configure("");
  OpenDevice();
  EXPECT_EQ(DescriptorText(DescriptorWords(), 95, 25).rfind("Quillotek ORXB ", 0), 0u);
  CloseDevice();
  Configure("model=ORXC\n");
  OpenDevice();
  EXPECT_EQ(DescriptorText(DescriptorWords(), 95, 25).rfind("Quillotek ORXC", 0), 0u);
}

TEST_F(IdentityTest, WithoutAnyConfigurationItIsAnOrxa) {
  ::unsetenv("ORX_SIM_CONFIG");
  OpenDevice();
  EXPECT_TRUE(ProductAcceptedFor(DescriptorText(DescriptorWords(), 95, 25), "ORXA"));
}

TEST_F(IdentityTest, ListingShowsOneFtxDeviceWithTheProductAsDescription) {
  Configure("model=ORXCB\n");
  Dword count = 0;
  ASSERT_EQ(sim_.api.CreateDeviceInfoList(&count), 0u);
  EXPECT_EQ(sim_.api.SetVIDPID(0x0403, 0x6015), 0u);
  ASSERT_EQ(sim_.api.CreateDeviceInfoList(&count), 0u);
  EXPECT_EQ(count, 1u);
  Dword flags = 99, type = 0, id = 0, location = 0;
  char serial[64] = {}, description[64] = {};
  FtHandle listed = &count;
  ASSERT_EQ(
      sim_.api.GetDeviceInfoDetail(0, &flags, &type, &id, &location, serial, description, &listed),
      0u);
  EXPECT_EQ(flags, 0u);
  EXPECT_EQ(id, 0x04036015u);
  EXPECT_EQ(std::string(description), "Quillotek ORXCB");
  EXPECT_EQ(listed, nullptr);
}

TEST_F(IdentityTest, AbsentInstrumentIsNotListedAndDoesNotOpen) {
  Configure("present=0\n");
  Dword count = 7;
  ASSERT_EQ(sim_.api.CreateDeviceInfoList(&count), 0u);
  EXPECT_EQ(count, 0u);
  FtHandle handle = &count;
  EXPECT_NE(sim_.api.Open(0, &handle), 0u);
  EXPECT_EQ(handle, nullptr);
}

TEST_F(IdentityTest, SecondOpenFailsWhileOpenAndTheOldHandleDiesWithClose) {
  Configure("model=ORXA\n");
  OpenDevice();
  FtHandle second = nullptr;
  EXPECT_NE(sim_.api.Open(0, &second), 0u);
  FtHandle first = handle_;
  CloseDevice();
  Word word = 0;
  EXPECT_NE(sim_.api.ReadEE(first, 81, &word), 0u);
  OpenDevice();
  EXPECT_EQ(sim_.api.ReadEE(handle_, 81, &word), 0u);
  EXPECT_EQ(word, 'Q');
}

}  // namespace
}  // namespace vanto::testing
