/* plain_reader FILE...: the least a converter must do with a landscape's
 * files, for the benchmarks to hold a conversion against: reads each file
 * whole, a ".apt" as Condor's 72-byte records, any other file line by line,
 * splitting each line at its commas. Prints the counts; exit code 0, 1 when a
 * file cannot be read. */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

static int ends_with(const char* text, const char* end) {
    const size_t n = strlen(text);
    const size_t m = strlen(end);
    return n >= m && strcmp(text + n - m, end) == 0;
}

int main(int argc, char** argv) {
    long lines = 0;
    long fields = 0;
    long records = 0;
    unsigned checksum = 0;
    char* line = NULL;
    size_t capacity = 0;
    for (int i = 1; i < argc; ++i) {
        FILE* file = fopen(argv[i], "rb");
        if (file == NULL) {
            perror(argv[i]);
            return 1;
        }
        if (ends_with(argv[i], ".apt")) {
            unsigned char record[72];
            while (fread(record, sizeof record, 1, file) == 1) {
                ++records;
                checksum += record[0];
            }
        } else {
            ssize_t length;
            while ((length = getline(&line, &capacity, file)) >= 0) {
                ++lines;
                const char* field = line;
                const char* comma;
                while ((comma = memchr(field, ',', (size_t)(line + length - field))) != NULL) {
                    ++fields;
                    checksum += (unsigned char)*field;
                    field = comma + 1;
                }
                ++fields;
            }
        }
        fclose(file);
    }
    free(line);
    printf("%ld lines, %ld fields, %ld records, %u\n", lines, fields, records, checksum);
    return 0;
}
