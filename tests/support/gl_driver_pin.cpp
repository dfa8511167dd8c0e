#include "support/gl_driver_pin.h"

#include <dlfcn.h>
#include <link.h>

#include <string>
#include <vector>

namespace tarvex_test {

namespace {

bool is_driver(const std::string& name) {
    return name.find("_dri.so") != std::string::npos || name.find("libgallium") != std::string::npos ||
           name.find("libLLVM") != std::string::npos;
}

int collect(dl_phdr_info* info, std::size_t, void* data) {
    auto* names = static_cast<std::vector<std::string>*>(data);
    if (info->dlpi_name != nullptr && is_driver(info->dlpi_name)) {
        names->emplace_back(info->dlpi_name);
    }
    return 0;
}

}  // namespace

void pin_gl_driver() {
    std::vector<std::string> names;
    dl_iterate_phdr(collect, &names);
    for (const std::string& name : names) {
        // Already loaded: only the no-unload mark is added.
        if (void* handle = dlopen(name.c_str(), RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE)) {
            dlclose(handle);
        }
    }
}

}  // namespace tarvex_test
