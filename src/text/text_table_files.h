// The fourteen tables of the text database under "config", in the order they are read (a key given in
// two tables keeps one text). The data folder generator writes the same list.
#pragma once

inline constexpr const char* kTextTableFiles[] = {
    "config\\modtext.csv",
    "config\\text.csv",
    "config\\messages.csv",
    "config\\event_text.csv",
    "config\\province_names.csv",
    "config\\unit_names.csv",
    "config\\world_names.csv",
    "config\\provinceimprovement_names.csv",
    "config\\law_names.csv",
    "config\\trait_names.csv",
    "config\\advance_names.csv",
    "config\\provinceeffects_names.csv",
    "config\\extra_text.csv",
    "config\\oathbound.csv",
};
