#pragma once
// The Windows face names that stored files use, and the faces that stand in for them where the
// machine lacks them. The program installs them as font substitutions; the atlas page lists them
// after the face.

#include <span>
#include <string_view>

namespace penrica {

struct FaceSubstitution {
    std::string_view face;
    std::span<const std::string_view> substitutes; // in order of preference
};

// Windows's own names come first: a Windows without the face (楷体_GB2312 went with Windows XP)
// has these; Debian's faces follow for Linux.
inline constexpr std::string_view kSongSubstitutes[] = {"SimSun",          "NSimSun",
                                                        "Microsoft YaHei", "AR PL UMing CN",
                                                        "AR PL UMing TW",  "WenQuanYi Micro Hei"};
inline constexpr std::string_view kKaiSubstitutes[] = {"楷体", "KaiTi", "AR PL UKai CN",
                                                       "AR PL UKai TW", "AR PL UMing CN"};
inline constexpr std::string_view kHeiSubstitutes[] = {"SimHei", "Microsoft YaHei",
                                                       "WenQuanYi Micro Hei", "WenQuanYi Zen Hei"};

inline constexpr FaceSubstitution kFaceSubstitutions[] = {
    {"宋体", kSongSubstitutes},
    {"楷体_GB2312", kKaiSubstitutes},
    {"黑体", kHeiSubstitutes},
};

// The stand-ins for `face`; none for a face without substitutes.
inline std::span<const std::string_view> FaceSubstitutes(std::string_view face) {
    for (const FaceSubstitution& substitution : kFaceSubstitutions) {
        if (substitution.face == face) {
            return substitution.substitutes;
        }
    }
    return {};
}

} // namespace penrica
