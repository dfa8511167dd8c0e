#include "forms/kit/engine_tables.h"

// Stand-ins until the window and the run loop are in.
int frm_start_graphics(std::string_view, std::string_view) {
    return 0;
}

int frm_do_graphics() {
    return 0;
}

int frm_new_form_gr() {
    return 0;
}

int check_depend() {
    return engine_tables.nb_inpt;
}

void form_setup() {}
