// The serial ports Windows knows of, from its device map (HKLM\HARDWARE\DEVICEMAP\SERIALCOMM):
// each value names a driver's device ("\Device\Serial0") and holds the port's name ("COM1").
#pragma once

namespace zv {

class SerialCommVisitor {
 public:
  // One port of the map, both texts NUL-terminated ASCII (anything else reads as '?').
  virtual void Port(const char* device, const char* name) = 0;

 protected:
  ~SerialCommVisitor() = default;
};

// Visits every port in the map, in the map's order; nothing is allocated. False when the map
// cannot be opened: a machine that never had a serial port has none.
bool VisitSerialCommMap(SerialCommVisitor& visitor);

}  // namespace zv
