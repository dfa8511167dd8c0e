#include "terrain/trn_heights.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <string>

#include "foundation/fixed_text.h"
#include "foundation/number_text.h"
#include "foundation/terrain_extents.h"
#include "foundation/terrain_headers.h"
#include "platform/files.h"
#include "terrain/terrain_grid.h"
#include "foundation/tell.h"

namespace {

// Bytes of one height.
constexpr std::uint64_t kHeightBytes = 2;
// Bytes read at a time: whole heights, small enough to stay in the cache.
constexpr std::size_t kReadBlock = 1 << 20;

void refuse(const std::string& file, std::string_view english, std::string_view french) {
    tell_and_count(kError, in_user_language("Terrain file " + file + " : " + std::string(english),
                                            "Fichier de terrain " + file + " : " + std::string(french)));
}

bool ninety(float step) { return std::fabs(std::fabs(step) - dxy_c) <= kTrnStepTolerance; }

// n heights of the file at `in` into `out`.
void decode_heights(const unsigned char* in, float* out, std::size_t n) {
    for (std::size_t m = 0; m < n; ++m) {
        out[m] = static_cast<float>(static_cast<unsigned>(in[2 * m]) | (static_cast<unsigned>(in[2 * m + 1]) << 8));
    }
}

// Copies the heights of `bytes` (whole heights) into zp, going on from file
// height number `done`: file column c goes to grid column ni - c.
void store_heights(const std::string& bytes, std::uint64_t done, CellTable<float>& zp) {
    const std::uint64_t nj = static_cast<std::uint64_t>(zp.nj());
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::uint64_t count = bytes.size() / kHeightBytes;
    std::uint64_t k = 0;
    while (k < count) {
        const std::uint64_t c = (done + k) / nj;
        const std::uint64_t r = (done + k) % nj;
        const std::uint64_t run = std::min(count - k, nj - r);
        float* out = zp.column(zp.ni() - static_cast<int>(c)).data() + r;
        decode_heights(data + k * kHeightBytes, out, static_cast<std::size_t>(run));
        k += run;
    }
}

}  // namespace

std::uint64_t trn_file_size(std::uint64_t columns, std::uint64_t rows) {
    return kTrnHeaderSize + kHeightBytes * columns * rows;
}

void read_trn_heights(std::string_view fich, int& status) {
    const std::string file = trim_right(fich);
    ByteFileReader reader(file);
    if (!reader.is_open()) {
        status = reader.open_status();
        refuse(file, "cannot be opened", "ouverture impossible");
        return;
    }
    std::string bytes;
    if (!reader.read(bytes, kTrnHeaderSize)) {
        status = reader.failed() ? reader.read_status() : kHeaderEnd;
        refuse(file, "shorter than its 36-byte header", "plus court que son en-t\xEAte de 36 octets");
        return;
    }
    const TrnHeaderFields h = trn_header_fields(bytes);
    float xmax = 0.0f;
    float ymax = 0.0f;
    float orig_e = 0.0f;
    float orig_n = 0.0f;
    float orien = 0.0f;
    int nlon = 0;
    char zlat = ' ';
    status = read_trn_hdr(file, xmax, ymax, orig_e, orig_n, orien, nlon, zlat);
    if (status == 0 && (h.columns < 1 || h.rows < 1)) {
        status = kHeaderBadValue;
    }
    if (status != 0) {
        refuse(file, "its header describes no terrain grid", "son en-t\xEAte ne d\xE9" "crit aucune grille de terrain");
        return;
    }
    if (!ninety(h.column_step) || !ninety(h.row_step)) {
        status = kTrnNotNinety;
        refuse(file, "its grid steps are not 90 m (" + f2b(h.column_step, "(F16.6)") + ", " + f2b(h.row_step, "(F16.6)") + ")",
               "ses pas de grille ne sont pas de 90 m (" + f2b(h.column_step, "(F16.6)") + ", " +
                   f2b(h.row_step, "(F16.6)") + ")");
        return;
    }
    const auto columns = static_cast<std::uint64_t>(h.columns);
    const auto rows = static_cast<std::uint64_t>(h.rows);
    const std::uint64_t expected = trn_file_size(columns, rows);
    const std::int64_t size = file_size(file);
    const std::string sizes = std::to_string(size) + " bytes instead of " + std::to_string(expected);
    const std::string sizes_fr = std::to_string(size) + " octets au lieu de " + std::to_string(expected);
    if (size >= 0 && static_cast<std::uint64_t>(size) > expected) {
        status = kTrnSizeMismatch;
        refuse(file, "its size does not match its grid (" + sizes + ")",
               "sa taille ne correspond pas \xE0 sa grille (" + sizes_fr + ")");
        return;
    }
    if (size < 0 || static_cast<std::uint64_t>(size) < expected) {
        status = kTrnShortBody;
        refuse(file, "its heights end before its grid does (" + sizes + ")",
               "ses altitudes s'arr\xEAtent avant la fin de sa grille (" + sizes_fr + ")");
        return;
    }
    // Every check that can be made before reading has passed: the heights go
    // straight into the grid, into its own memory when it has this size.
    CellTable<float>& zp = altitude.zp;
    zp.assign_for_overwrite(h.columns, h.rows);
    altitude.zp_mx5 = CellTable<float>{};
    const std::uint64_t heights = columns * rows;
    std::uint64_t done = 0;
    while (done < heights) {
        const std::uint64_t want = std::min<std::uint64_t>(kReadBlock / kHeightBytes, heights - done);
        if (!reader.read(bytes, static_cast<std::size_t>(want * kHeightBytes))) {
            // The file shrank or failed while being read: no grid rather than a
            // grid of heights partly from another landscape.
            status = reader.failed() ? reader.read_status() : kTrnShortBody;
            zp = CellTable<float>{};
            trn001.ni_00 = 0;
            trn001.nj_00 = 0;
            trn001.ni_scn = 0;
            trn001.nj_scn = 0;
            refuse(file, "reading its heights failed, the terrain grid is emptied",
                   "la lecture de ses altitudes a \xE9" "chou\xE9, la grille de terrain est vid\xE9" "e");
            return;
        }
        store_heights(bytes, done, zp);
        done += want;
    }
    trn001.ni_00 = h.columns;
    trn001.nj_00 = h.rows;
    trn001.ni_scn = h.columns;
    trn001.nj_scn = h.rows;
    trn001.i_00 = 1;
    trn001.j_00 = 1;
    trn001.rew = std::fabs(h.column_step);
    trn001.rns = std::fabs(h.row_step);
    trn001.dxy = dxy_c;
    trn001.x_scn_mx = xmax;
    trn001.y_scn_mx = ymax;
    status = 0;
}
