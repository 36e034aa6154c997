#pragma once
// Points the per-user folder at a fresh temporary folder while it exists, so an application made
// by a test writes its settings there.
#include <cstdlib>
#include <string>

#include "support/temp_folder.h"

class UserFolder {
public:
    UserFolder() {
        const char* old = std::getenv("XDG_DATA_HOME");
        if (old) {
            saved_ = old;
            hadOld_ = true;
        }
        setenv("XDG_DATA_HOME", folder_.path().c_str(), 1);
    }
    ~UserFolder() {
        if (hadOld_) {
            setenv("XDG_DATA_HOME", saved_.c_str(), 1);
        } else {
            unsetenv("XDG_DATA_HOME");
        }
    }

private:
    TempFolder folder_;
    std::string saved_;
    bool hadOld_ = false;
};

