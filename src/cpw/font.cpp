#include "cpw/font.h"

#include "cpw/font_files.h"
#include "cpw/font_record.h"
#include "cpw/internal.h"
#include "cpw/localhost.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <memory>
#include <new>
#include <string>

namespace {

CpwFont* font_of(CpwContext* ctx) {
    return ctx == nullptr ? nullptr : ctx->ctx_font;
}

int bad_argument(CpwContext* ctx, int result) {
    if (ctx != nullptr) {
        cpw_error_set(ctx, cpw_error_badargument);
    }
    return result;
}

int clamp_to_int(std::int64_t v) {
    constexpr std::int64_t lowest = std::numeric_limits<int>::min();
    constexpr std::int64_t highest = std::numeric_limits<int>::max();
    return static_cast<int>(std::clamp(v, lowest, highest));
}

// The folder the host names as its font folder, as a host path with a final "/".
std::string system_font_folder() {
    StringContext* path = cpw_localhost_fontpath();
    const std::string folder = cstr::len(path) > 0 ? std::string(cstr::str(path)) : std::string();
    cstr::freeStr(&path);
    std::string host = cpw_font_hostpath(folder).value_or(folder);
    if (!host.empty() && host.back() != '/') {
        host += '/';
    }
    return host;
}

}  // namespace

bool cpw_font_init(CpwContext* ctx) {
    std::unique_ptr<CpwFont> font;
    try {
        font = std::make_unique<CpwFont>();
    } catch (const std::bad_alloc&) {
        cpw_error_set(ctx, cpw_error_nomemory);
        return false;
    }
    if (FT_Init_FreeType(&font->library) != 0) {
        cpw_error_set(ctx, cpw_error_fontopen);
        return false;
    }
    ctx->ctx_font = font.release();
    return true;
}

void cpw_font_exit(CpwContext* ctx) {
    std::unique_ptr<CpwFont> font(ctx->ctx_font);
    ctx->ctx_font = nullptr;
    if (font && font->library != nullptr) {
        FT_Done_FreeType(font->library);  // closes every face still open
    }
}

int cpwFontMode(CpwContext* ctx, int option, int value) {
    CpwFont* f = font_of(ctx);
    if (f == nullptr) {
        return bad_argument(ctx, -1);
    }
    int old = 0;
    switch (option) {
        case cpw_fontopt_drawmode:
            old = f->drawmode;
            f->drawmode = 1;
            return old;
        case 10:
        case 11:
        case 12:
        case 13:
        case 14:
            old = f->layout;
            f->layout = option;
            return old;
        case cpw_fontopt_pointsize:
            old = f->size;
            f->size = clamp_to_int(std::int64_t{value} * 64);
            return old;
        case cpw_fontopt_size26_6:
            old = f->size / 64;
            f->size = value;
            return old;
        case cpw_fontopt_kerning:
            if (value != 0 && value != 1) {
                return bad_argument(ctx, -1);
            }
            old = f->kerning;
            f->kerning = value;
            return old;
        case cpw_fontopt_spacing:
            old = f->spacing;
            f->spacing = value;
            if (value < 0) {
                cpw_error_set(ctx, cpw_error_badargument);
            }
            return old;
        case cpw_fontopt_imageformat:
            old = f->imageformat;
            f->imageformat = value;
            return old;
        case cpw_fontopt_outline:
            if (value != 0 && value != 1) {
                return bad_argument(ctx, -1);
            }
            old = f->outline;
            f->outline = value;
            return old;
        default:
            return bad_argument(ctx, -1);
    }
}

CpwFontFace cpwLoadFont(CpwContext* ctx, const char* name, int location, const char* folder) {
    CpwFont* f = font_of(ctx);
    if (f == nullptr || name == nullptr) {
        return bad_argument(ctx, 0);
    }
    std::string path;
    if (location == cpw_fontlocation_system) {
        const std::string fonts = system_font_folder();
        path = cpw_font_resolve(fonts, name).value_or(fonts + name);
    } else if (location == cpw_fontlocation_folder) {
        if (folder == nullptr) {
            return bad_argument(ctx, 0);
        }
        const auto host = cpw_font_hostpath(std::string(folder) + "\\" + name);
        if (!host) {
            cpw_error_set(ctx, cpw_error_fontopen);
            return 0;
        }
        path = *host;
    } else {
        return bad_argument(ctx, 0);
    }
    FT_Face face = nullptr;
    const FT_Error error = FT_New_Face(f->library, path.c_str(), 0, &face);
    if (error != 0) {
        cpw_error_set(ctx, error == FT_Err_Unknown_File_Format ? cpw_error_fontformat : cpw_error_fontopen);
        return 0;
    }
    return reinterpret_cast<CpwFontFace>(face);
}

int cpwUnloadFont(CpwContext* ctx, CpwFontFace face) {
    if (font_of(ctx) == nullptr || face == 0) {
        return bad_argument(ctx, 0);
    }
    FT_Done_Face(cpw_font_face(face));
    return 1;
}

int cpwListFonts(CpwContext* ctx, CpwFontList* list, const char* pattern, int location) {
    if (ctx == nullptr || list == nullptr || pattern == nullptr) {
        return bad_argument(ctx, 0);
    }
    std::string full;
    if (location == cpw_fontlocation_system) {
        full = system_font_folder() + pattern;
    } else if (location == cpw_fontlocation_folder) {
        full = pattern;
    } else {
        return bad_argument(ctx, 0);
    }
    list->count = 0;
    if (cpw_localhost_iteratefiles(ctx, 1, full.c_str(), nullptr) == 0) {
        return 0;
    }
    StringContext* name = nullptr;
    while (cpw_localhost_iteratefiles(ctx, 0, nullptr, &name) == 1) {
        if (list->count < cpw_fontlist_max) {
            list->name[static_cast<std::size_t>(++list->count)] = cstr::strCpy(name);
        }
    }
    cstr::freeStr(&name);
    return list->count;
}

int cpwFreeFontList(CpwContext* ctx, CpwFontList* list) {
    if (list == nullptr || list->count <= 0) {
        return bad_argument(ctx, 0);
    }
    for (; list->count > 0; --list->count) {
        if (list->count <= cpw_fontlist_max) {
            cstr::freeStr(&list->name[static_cast<std::size_t>(list->count)]);
        }
    }
    return 1;
}
