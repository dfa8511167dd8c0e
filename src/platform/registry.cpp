#include "platform/registry.h"

#include "platform/console.h"
#include "platform/path_map.h"
#include "platform/wine_hive.h"

#include <filesystem>

namespace {

constexpr std::size_t kValueBufferSize = 255;

HostPath hive(const char* file) { return {(std::filesystem::path(wine_prefix()) / file).string()}; }

}  // namespace

int RdUsrReg(const std::string& subkey, const std::string& name, std::string& outval, int& len) {
    console_line("Subkey,name : " + subkey + " " + name + " ");
    HiveValue value;
    HiveLookup lookup = HiveLookup::key_missing;
    if (len < 0) {
        const std::string classes_key = "Software\\Classes\\" + subkey;
        lookup = find_hive_value(hive("user.reg"), classes_key, name, value);
        if (lookup == HiveLookup::key_missing) {
            lookup = find_hive_value(hive("system.reg"), classes_key, name, value);
        }
    } else {
        lookup = find_hive_value(hive("user.reg"), subkey, name, value);
        console_line("USER Open Status : " +
                     std::to_string(lookup == HiveLookup::key_missing ? kRegistryNotFound : kRegistryOk));
    }
    if (lookup == HiveLookup::key_missing) {
        return kRegistryNotFound;
    }

    int query_status = kRegistryNotFound;
    std::size_t byte_count = 0;
    if (lookup == HiveLookup::found) {
        byte_count = value.bytes.size();
        query_status = byte_count <= kValueBufferSize ? kRegistryOk : kRegistryMoreData;
    }
    console_line("Query Status, Length : " + std::to_string(query_status) + " " + std::to_string(byte_count));
    if (query_status == kRegistryOk) {
        const bool text = value.type == kRegString || value.type == kRegExpandString || value.type == kRegMultiString;
        outval = text ? value.bytes.substr(0, value.bytes.find('\0')) : value.bytes;
        len = static_cast<int>(byte_count);
        console_line("value : " + outval + " ");
    }
    console_line("Status : " + std::to_string(kRegistryOk));
    return kRegistryOk;
}
