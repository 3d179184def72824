// Windows port names and the program's port list built from the machine's ports.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/port_choices.h"
#include "link/com_ports.h"

namespace zv {
namespace {

TEST(ComNumberOf, PlainAndDeviceNamesUpTo255) {
  const struct {
    std::string name;
    int number;
  } cases[] = {
      {"COM1", 1},
      {"COM255", 255},
      {"com12", 12},
      {"Com7", 7},
      {"\\\\.\\COM12", 12},
      {"\\\\.\\com3", 3},
      {"COM256", 0},
      {"COM0", 0},
      {"COM012", 0},
      {"COM1000", 0},
      {"COM", 0},
      {"COM1 ", 0},
      {" COM1", 0},
      {"COM-1", 0},
      {"LPT1", 0},
      {"CNCA0", 0},
      {"\\\\.\\", 0},
      {"\\\\?\\COM1", 0},
      {"xCOM1", 0},
      {std::string("COM1\0", 5), 0},
      {"", 0},
  };
  for (const auto& c : cases) EXPECT_EQ(ComNumberOf(c.name), c.number) << c.name;
}

std::vector<std::string> Texts(const PortChoices& ports) {
  std::vector<std::string> texts;
  for (std::size_t i = 0; i < ports.Count(); ++i) texts.emplace_back(ports.Text(i));
  return texts;
}

PortChoices Built(std::initializer_list<const char*> names) {
  ComNumbers present;
  for (const char* name : names) present.AddName(name);
  PortChoices ports;
  ports.Build(present);
  return ports;
}

TEST(PortChoices, FirstFourAsAlwaysThenThePresentOnesInNumericOrder) {
  const struct {
    const char* what;
    PortChoices ports;
    std::vector<std::string> texts;
  } cases[] = {
      {"no port at all", Built({}), {" COM1", " COM2", " COM3", " COM4"}},
      {"only ports the first four name",
       Built({"COM1", "COM4"}),
       {" COM1", " COM2", " COM3", " COM4"}},
      {"duplicates, junk and disorder",
       Built({"COM12", "COM7", "COM3", "COM7", "junk", "COM255", "COM5", "COM256", "COM07"}),
       {" COM1", " COM2", " COM3", " COM4", " COM5", " COM7", " COM12", " COM255"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(Texts(c.ports), c.texts);
  }
  // The first four are the very entries of the port table, opened by their plain names.
  const PortChoices ports = Built({"COM7", "COM12"});
  for (std::size_t i = 0; i < PortNames.kCount; ++i) {
    EXPECT_STREQ(ports.Text(i), PortNames.Entry(i));
    EXPECT_STREQ(ports.OpenName(i), PortNames.Entry(i) + 1);
  }
  EXPECT_STREQ(ports.OpenName(4), "\\\\.\\COM7");
  EXPECT_STREQ(ports.OpenName(5), "\\\\.\\COM12");
  EXPECT_STREQ(ports.OpenName(6), "COM1");  // beyond the list
}

TEST(PortChoices, KeepsTheLowest32BeyondCom4) {
  ComNumbers present;
  for (int n = kHighestComNumber; n >= 1; --n) present.AddName("COM" + std::to_string(n));
  PortChoices ports;
  ports.Build(present);
  ASSERT_EQ(ports.Count(), 4u + 32u);
  for (std::size_t i = 4; i < ports.Count(); ++i) {
    EXPECT_EQ(ports.Text(i), " COM" + std::to_string(i + 1));
    EXPECT_EQ(ports.OpenName(i), "\\\\.\\COM" + std::to_string(i + 1));
  }
}

}  // namespace
}  // namespace zv
