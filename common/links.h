#pragma once

#include <array>

// The three web links, as the About window offers them. The catalogue's
// header lists the same three in its own text; tst_catalogue holds its link
// lines to this table, so the two cannot drift apart unnoticed.
namespace links {

struct Link
{
    const char *tag; // the address handed to the browser, scheme and host only
    const char *siteName; // label of the catalogue header's link line
    const char *entry; // entry of the About window's list
    const char *toolTip; // tooltip of the About window's picture
    const char *picture; // resource path of that picture
};

// Index order: author's home page, game-modification site, game portal.
inline constexpr std::array<Link, 3> kLinks{{
    {"http://tessavar.example.com", "风铃小筑", "风铃小筑[我的主页]", "访问我的主页",
        ":/about/link0.jpg"},
    {"http://tiejiangpu.example.net", "铁匠铺", "铁匠铺[游戏修改]", "访问铁匠铺主页",
        ":/about/link1.gif"},
    {"http://yunyou.example.org", "云游客栈", "云游客栈[玩家的江湖驿站]", "访问云游客栈",
        ":/about/link2.jpg"},
}};

} // namespace links
