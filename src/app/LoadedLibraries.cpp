#include "app/LoadedLibraries.h"

#if defined(__SANITIZE_ADDRESS__)

#include <dlfcn.h>
#include <link.h>
#include <string>
#include <vector>

namespace {

int collectName(dl_phdr_info* info, size_t, void* names) {
    if (info->dlpi_name != nullptr && info->dlpi_name[0] != '\0') {
        static_cast<std::vector<std::string>*>(names)->push_back(info->dlpi_name);
    }
    return 0;
}

} // namespace

void keepLoadedLibrariesMapped() {
    // Names first, then dlopen: the loader's list must not change while it is being walked.
    std::vector<std::string> names;
    dl_iterate_phdr(collectName, &names);
    for (const std::string& name : names) {
        // Takes one more reference that is never released; RTLD_NODELETE keeps the library mapped
        // even when everything else lets it go.
        dlopen(name.c_str(), RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
    }
}

#else

void keepLoadedLibrariesMapped() {}

#endif
