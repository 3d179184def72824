// The port listing against a fake sysfs tree and /dev: what a USB adapter, an ACM device, a
// built-in UART, an empty UART slot, a console and a node the user may not open each become.
#include <grp.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "cli/posix/serial_ports_posix.h"

namespace zv::cli {
namespace {

namespace fs = std::filesystem;

class FakeTree {
 public:
  FakeTree() : root_(fs::temp_directory_path() / ("zv-ports-" + std::to_string(getpid()))) {
    fs::remove_all(root_);
    fs::create_directories(root_ / "sys" / "class" / "tty");
    fs::create_directories(root_ / "dev" / "serial" / "by-id");
  }
  ~FakeTree() { fs::remove_all(root_); }
  PortRoots Roots() const { return {(root_ / "sys").string(), (root_ / "dev").string()}; }

  void File(const std::string& path, const std::string& text) {
    fs::create_directories((root_ / path).parent_path());
    std::ofstream(root_ / path) << text << '\n';
  }
  // A relative link, as the kernel and udev make them.
  void Link(const std::string& path, const std::string& target) {
    fs::create_directories((root_ / path).parent_path());
    fs::create_symlink(target, root_ / path);
  }
  // A tty whose class entry leads to DEVICE/tty/NAME; `device` is where its device link goes.
  void Tty(const std::string& name, const std::string& device) {
    const std::string dir = "sys/" + device + "/tty/" + name;
    fs::create_directories(root_ / dir);
    Link("sys/class/tty/" + name, "../../" + device + "/tty/" + name);
    Link(dir + "/device", "../../../" + fs::path(device).filename().string());
  }
  void Driver(const std::string& device, const std::string& bus, const std::string& driver) {
    // From sys/DEVICE back up to sys/.
    std::string dots = "../";
    for (const char c : device) {
      if (c == '/') dots += "../";
    }
    Link("sys/" + device + "/subsystem", dots + "bus/" + bus);
    Link("sys/" + device + "/driver", dots + "bus/" + bus + "/drivers/" + driver);
  }
  void Node(const std::string& name, mode_t mode) {
    File("dev/" + name, "");
    fs::permissions(root_ / "dev" / name, static_cast<fs::perms>(mode));
  }
  std::string Dev(const std::string& name) const { return (root_ / "dev" / name).string(); }
  fs::path Path(const std::string& path) const { return root_ / path; }

 private:
  fs::path root_;
};

constexpr char kUsb1[] = "devices/pci0000:00/0000:00:14.0/usb1";

void UsbDevice(FakeTree& tree, const std::string& device, const std::vector<std::string>& ids) {
  const char* names[] = {"idVendor", "idProduct", "manufacturer", "product", "serial"};
  for (std::size_t i = 0; i < ids.size(); ++i) {
    if (!ids[i].empty()) tree.File("sys/" + device + "/" + names[i], ids[i]);
  }
}

void BuildMachine(FakeTree& tree) {
  // An FTDI adapter: the tty's device is the usb-serial port below the interface.
  const std::string ftdi = std::string(kUsb1) + "/1-1";
  UsbDevice(tree, ftdi, {"0403", "6001", "FTDI", "FT232R USB UART", "A50285BI"});
  tree.Tty("ttyUSB0", ftdi + "/1-1:1.0/ttyUSB0");
  tree.Driver(ftdi + "/1-1:1.0/ttyUSB0", "usb-serial", "ftdi_sio");
  tree.Node("ttyUSB0", 0666);
  tree.Link("dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0", "../../ttyUSB0");
  // An ACM device: the tty's device is the interface itself; no serial number.
  const std::string acm = std::string(kUsb1) + "/1-2";
  UsbDevice(tree, acm, {"2341", "0043", "Arduino (www.arduino.cc)", "", ""});
  tree.Tty("ttyACM0", acm + "/1-2:1.0");
  tree.Driver(acm + "/1-2:1.0", "usb", "cdc_acm");
  tree.Node("ttyACM0", 0666);
  // A built-in UART on a PnP device, behind serial_core's own port device (newer kernels).
  tree.Tty("ttyS0", "devices/pnp0/00:04/00:04:0/00:04:0.0");
  tree.File("sys/devices/pnp0/00:04/00:04:0/00:04:0.0/tty/ttyS0/type", "4");
  tree.Driver("devices/pnp0/00:04/00:04:0/00:04:0.0", "serial-base", "port");
  tree.Driver("devices/pnp0/00:04", "pnp", "serial");
  tree.Node("ttyS0", 0666);
  // A UART slot with nothing in it, and a console: neither is a port.
  tree.Tty("ttyS1", "devices/platform/serial8250");
  tree.File("sys/devices/platform/serial8250/tty/ttyS1/type", "0");
  tree.Node("ttyS1", 0666);
  tree.File("sys/devices/virtual/tty/tty0/dev", "4:0");
  tree.Link("sys/class/tty/tty0", "../../devices/virtual/tty/tty0");
  tree.Node("tty0", 0666);
  // A second adapter whose node only its group may open.
  const std::string locked = std::string(kUsb1) + "/1-10";
  UsbDevice(tree, locked, {"10c4", "ea60", "Silicon Labs", "CP2102 USB to UART", "0001"});
  tree.Tty("ttyUSB10", locked + "/1-10:1.0/ttyUSB10");
  tree.Driver(locked + "/1-10:1.0/ttyUSB10", "usb-serial", "cp210x");
  tree.Node("ttyUSB10", 0660);
}

TEST(ListLinuxPorts, FakeMachine) {
  FakeTree tree;
  BuildMachine(tree);
  // The locked node belongs to dialout when we may give it away (root; CI is).
  const group* dialout = getgrnam("dialout");
  const bool dialoutNode =
      dialout != nullptr &&
      chown(tree.Dev("ttyUSB10").c_str(), static_cast<uid_t>(-1), dialout->gr_gid) == 0;
  Identity user;
  user.uid = 4242;
  user.groups = {4242};
  user.userName = "zv-test-user";

  const std::vector<SerialPort> ports = ListLinuxPorts(tree.Roots(), user);
  const struct {
    std::string name;
    PortKind kind;
    std::string ids;  // vendor:product manufacturer|product|serial
    std::string driver;
    std::size_t byId;
    PortAccess access;
  } expected[] = {
      {"ttyACM0", PortKind::Usb, "2341:0043 Arduino (www.arduino.cc)||", "cdc_acm", 0,
       PortAccess::Allowed},
      {"ttyS0", PortKind::Uart, ": ||", "serial", 0, PortAccess::Allowed},
      {"ttyUSB0", PortKind::Usb, "0403:6001 FTDI|FT232R USB UART|A50285BI", "ftdi_sio", 1,
       PortAccess::Allowed},
      {"ttyUSB10", PortKind::Usb, "10c4:ea60 Silicon Labs|CP2102 USB to UART|0001", "cp210x", 0,
       PortAccess::Denied},
  };
  ASSERT_EQ(ports.size(), std::size(expected));
  for (std::size_t i = 0; i < ports.size(); ++i) {
    const SerialPort& port = ports[i];
    const auto& want = expected[i];
    SCOPED_TRACE(want.name);
    EXPECT_EQ(port.name, tree.Dev(want.name));
    EXPECT_EQ(port.kind, want.kind);
    EXPECT_EQ(port.vendorId + ":" + port.productId + " " + port.manufacturer + "|" + port.product +
                  "|" + port.serialNumber,
              want.ids);
    EXPECT_EQ(port.driver, want.driver);
    EXPECT_EQ(port.byId.size(), want.byId);
    EXPECT_EQ(port.access, want.access);
  }
  EXPECT_EQ(ports[2].byId.at(0),
            tree.Dev("serial/by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0"));
  if (dialoutNode) {
    EXPECT_EQ(ports[3].accessNote,
              "only its group dialout may open it: join it with sudo adduser \"$USER\" dialout, "
              "then log in again");
  }
  // Root may open every node; a node that is gone is said so.
  fs::remove(tree.Path("dev/ttyUSB0"));
  Identity root;
  root.groups = {0};
  for (const SerialPort& port : ListLinuxPorts(tree.Roots(), root)) {
    SCOPED_TRACE(port.name);
    EXPECT_EQ(port.access,
              port.name == tree.Dev("ttyUSB0") ? PortAccess::NoNode : PortAccess::Allowed);
  }
}

// A made-up root may hold a FIFO where an attribute belongs: it is not read (a read would wait
// for a writer for ever). Two stable names of one port come in name order.
TEST(ListLinuxPorts, AttributesThatAreNoFilesAndSeveralStableNames) {
  FakeTree tree;
  const std::string adapter = std::string(kUsb1) + "/1-1";
  UsbDevice(tree, adapter, {"0403", "6001", "FTDI", "", "A50285BI"});
  ASSERT_EQ(mkfifo(tree.Path("sys/" + adapter + "/product").c_str(), 0644), 0);
  tree.Tty("ttyUSB0", adapter + "/1-1:1.0/ttyUSB0");
  tree.Node("ttyUSB0", 0666);
  tree.Link("dev/serial/by-id/usb-b", "../../ttyUSB0");
  tree.Link("dev/serial/by-id/usb-a", "../../ttyUSB0");
  const std::vector<SerialPort> ports = ListLinuxPorts(tree.Roots(), Identity{});
  ASSERT_EQ(ports.size(), 1u);
  EXPECT_EQ(ports[0].manufacturer + "|" + ports[0].product + "|" + ports[0].serialNumber,
            "FTDI||A50285BI");
  EXPECT_EQ(ports[0].byId, (std::vector<std::string>{tree.Dev("serial/by-id/usb-a"),
                                                     tree.Dev("serial/by-id/usb-b")}));
}

TEST(ListMacPorts, CallOutDevicesOnly) {
  FakeTree tree;
  for (const char* name : {"cu.usbserial-A50285BI", "tty.usbserial-A50285BI",
                           "cu.Bluetooth-Incoming-Port", "cu.SLAB_USBtoUART", "ttys000"}) {
    tree.Node(name, 0666);
  }
  Identity user;
  user.uid = 4242;
  std::vector<std::pair<std::string, PortKind>> got;
  for (const SerialPort& port : ListMacPorts(tree.Roots(), user))
    got.emplace_back(fs::path(port.name).filename().string(), port.kind);
  const std::vector<std::pair<std::string, PortKind>> expected = {
      {"cu.Bluetooth-Incoming-Port", PortKind::Other},
      {"cu.SLAB_USBtoUART", PortKind::Usb},
      {"cu.usbserial-A50285BI", PortKind::Usb}};
  EXPECT_EQ(got, expected);
}

TEST(NameOrder, TrailingNumbersCompareAsNumbers) {
  std::vector<std::string> names = {"/dev/ttyS10",  "/dev/ttyUSB1", "/dev/ttyS2", "COM10",
                                    "/dev/ttyACM0", "COM9",         "/dev/ttyS"};
  std::sort(names.begin(), names.end(), NameOrder);
  const std::vector<std::string> expected = {
      "/dev/ttyACM0", "/dev/ttyS", "/dev/ttyS2", "/dev/ttyS10", "/dev/ttyUSB1", "COM9", "COM10"};
  EXPECT_EQ(names, expected);
}

}  // namespace
}  // namespace zv::cli
