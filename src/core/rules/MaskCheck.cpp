#include "core/rules/MaskCheck.h"

#include "core/generation/PasswordBuilder.h"
#include "core/rules/PasswordRules.h"

#include <algorithm>
#include <iterator>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

// The characters one position of the mask can hold: sorted, distinct.
using Position = std::vector<char32_t>;

bool within(const Position &position, const QString &characters)
{
    const std::u32string ucs4 = characters.toStdU32String();
    return std::all_of(position.begin(), position.end(),
                       [&](char32_t c) { return ucs4.find(c) != std::u32string::npos; });
}

QString numbers(const std::vector<int> &list)
{
    QStringList texts;
    for (const int number : list)
        texts.append(QString::number(number));
    return texts.join(u", "_s);
}

} // namespace

MaskCheck checkMask(const PasswordRules &rules, const PasswordBuilder &builder)
{
    MaskCheck check;
    std::vector<Position> positions;
    for (const PasswordBuilder::Step &step : builder.steps()) {
        if (step.kind == PasswordBuilder::Step::Word || step.kind == PasswordBuilder::Step::Counter) {
            check.checked = false;
            check.notChecked = step.kind == PasswordBuilder::Step::Word
                                   ? u"the mask's words vary in length and text, so it can't be checked against rules"_s
                                   : u"the mask's incrementing number varies in length, so it can't be checked against "
                                     "rules"_s;
            return check;
        }
        if (step.kind == PasswordBuilder::Step::Literal) {
            for (const char32_t c : builder.stepLiteral(step).toString().toStdU32String())
                positions.push_back({c});
            continue;
        }
        const CharacterClass &drawFrom = builder.stepClass(step);
        Position position;
        for (quint32 i = 0; i < drawFrom.size(); ++i)
            position.push_back(drawFrom.at(i));
        std::sort(position.begin(), position.end());
        position.erase(std::unique(position.begin(), position.end()), position.end());
        positions.push_back(std::move(position));
    }

    const int length = int(positions.size());
    if (length < rules.shortest())
        check.breaks.append(
            u"its passwords are %1 characters long, shorter than minlength %2"_s.arg(length).arg(rules.shortest()));
    if (rules.maxLength && length > *rules.maxLength)
        check.breaks.append(
            u"its passwords are %1 characters long, longer than maxlength %2"_s.arg(length).arg(*rules.maxLength));

    std::vector<int> outside;
    for (int i = 0; i < length; ++i)
        if (!within(positions[size_t(i)], rules.allowed))
            outside.push_back(i + 1);
    if (!outside.empty())
        check.breaks.append(u"%1 %2 can hold a character the rules don't allow"_s.arg(
            outside.size() == 1 ? u"position"_s : u"positions"_s, numbers(outside)));

    for (const QString &group : rules.required) {
        if (std::none_of(positions.begin(), positions.end(), [&](const Position &p) { return within(p, group); }))
            check.breaks.append(u"it can miss the required characters [%1]"_s.arg(group));
    }

    if (rules.maxConsecutive) {
        const int run = *rules.maxConsecutive + 1;
        for (int start = 0; start + run <= length; ++start) {
            Position shared = positions[size_t(start)];
            for (int i = start + 1; i < start + run && !shared.empty(); ++i) {
                Position both;
                const Position &next = positions[size_t(i)];
                std::set_intersection(shared.begin(), shared.end(), next.begin(), next.end(), std::back_inserter(both));
                shared = std::move(both);
            }
            if (!shared.empty()) {
                check.breaks.append(u"positions %1 to %2 can hold the same character, more than max-consecutive %3 "
                                    "allows"_s.arg(start + 1)
                                        .arg(start + run)
                                        .arg(*rules.maxConsecutive));
                break;
            }
        }
    }
    return check;
}
