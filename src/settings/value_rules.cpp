#include "settings/value_rules.h"

#include "text/regional.h"

#include <array>
#include <cmath>

namespace vonalor {

std::optional<ValueKind> numericKindOf(std::string_view name) {
    struct Rule {
        std::string_view name;
        ValueKind kind;
        bool suffix; // a connection record value: the entry's name comes first
    };
    static constexpr std::array rules = {
        Rule{"HetKozDelelott", ValueKind::Amount, true},
        Rule{"HetKozDelutan", ValueKind::Amount, true},
        Rule{"HetKozEjjel", ValueKind::Amount, true},
        Rule{"HetVegDelelott", ValueKind::Amount, true},
        Rule{"HetVegDelutan", ValueKind::Amount, true},
        Rule{"HetVegEjjel", ValueKind::Amount, true},
        Rule{"KapcsDijErteke", ValueKind::Amount, true},
        Rule{"KedvErteke", ValueKind::Amount, true},
        Rule{"OsszKoltseg", ValueKind::Total, true},
        Rule{"OsszOra", ValueKind::Count, true},
        Rule{"OsszPerc", ValueKind::Count, true},
        Rule{"OsszMPerc", ValueKind::Count, true},
        Rule{"KapcsSzama", ValueKind::Count, true},
        Rule{"KedvOraErteke", ValueKind::Count, true},
        Rule{"KuldottBajt", ValueKind::Bytes, true},
        Rule{"FogadottBajt", ValueKind::Bytes, true},
        Rule{"KapcsolatokSzama", ValueKind::Count, false},
        Rule{"DatumTolIg", ValueKind::Count, false},
        Rule{"JelezzenMPerc", ValueKind::Count, false},
        Rule{"Atlatszosag", ValueKind::Count, false},
        Rule{"WebLista", ValueKind::Count, false},
        Rule{"GyBKapcsList", ValueKind::Count, false},
        Rule{"GyorsBillCsat", ValueKind::Count, false},
        Rule{"GyorsBillBiz", ValueKind::Count, false},
        Rule{"GyorsBillBont", ValueKind::Count, false},
        Rule{"GyorsBillWeblap", ValueKind::Count, false},
        Rule{"FoablaknalAktFul", ValueKind::Count, false},
        Rule{"BeallitasnalAktFul", ValueKind::Count, false},
        Rule{"KiseroBal", ValueKind::Integer, false},
        Rule{"KiseroTop", ValueKind::Integer, false},
    };
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    const auto sameLetters = [&](std::string_view a, std::string_view b) {
        if (a.size() != b.size())
            return false;
        for (std::size_t i = 0; i < a.size(); ++i) {
            if (lower(a[i]) != lower(b[i]))
                return false;
        }
        return true;
    };
    // The record's own names first: "OsszKoltseg" ends "...Koltseg" of no other rule.
    for (const Rule& rule : rules) {
        if (rule.suffix ? name.size() > rule.name.size() &&
                              sameLetters(name.substr(name.size() - rule.name.size()), rule.name)
                        : sameLetters(name, rule.name))
            return rule.kind;
    }
    return std::nullopt;
}

std::string valueProblem(ValueKind kind, std::string_view text) {
    const Regional& regional = Regional::hungarian();
    const std::string quoted = "'" + std::string(text) + "'";
    switch (kind) {
    case ValueKind::Amount:
    case ValueKind::Total: {
        const auto value = regional.parseFloat(text);
        if (!value)
            return quoted + " is not a valid floating point value";
        if (kind == ValueKind::Amount && (!std::isfinite(*value) || *value < 0 || *value > MaxAmount))
            return quoted + " is not an amount from 0 to 1 000 000 000";
        if (kind == ValueKind::Total && (!std::isfinite(*value) || std::fabs(*value) > MaxTotal))
            return quoted + " is not a total the books can hold (at most 1 000 000 000 000)";
        return {};
    }
    case ValueKind::Count:
    case ValueKind::Bytes:
    case ValueKind::Integer: {
        const auto value = regional.parseInt64(text);
        if (!value)
            return quoted + " is not a valid integer value";
        if (kind == ValueKind::Count && (*value < 0 || *value > MaxCount))
            return quoted + " is not a whole number from 0 to 1 000 000 000 000";
        if (kind == ValueKind::Bytes && *value < 0)
            return quoted + " is not a byte count";
        return {};
    }
    }
    return {};
}

} // namespace vonalor
