#include "app/os_interface_manager.h"

#include "platform/input/clipboard.h"

std::string OSInterfaceManagerLinux::getClipboardText() { return platform::clipboardText(); }
