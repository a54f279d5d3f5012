#pragma once
// The 71 rows of the zone list as the user sees them, each with its offset from UTC in minutes,
// east positive, read off the label by hand (the last field: hours, ".5" a half hour; "Indian
// Time" writes its half hour as ".3"). The position in the list is the zone index a reading
// stores, so the order matters as much as the values.

#include <array>
#include <string_view>

namespace velloran::test {

struct ListedZone {
    std::string_view label;
    int minutesEast;
};

inline constexpr std::array<ListedZone, 71> kZoneList = {{
    {"Alaska/Hawaii Daylight Time,AHDT,-9.0", -540},
    {"Alaska/Hawaii Standard Time,AHST,-10.0", -600},
    {"Alaska/Hawaii War Time,AHWT,-9.0", -540},
    {"Atlantic Standard Time,AST,-4.0", -240},
    {"Atlantic War Time,AWT,-3.0", -180},
    {"Australian Central Daylight Time,ACDT,+10.5", 630},
    {"Australian Central Standard Time,ACST,+9.5", 570},
    {"Australian Eastern Daylight Time,AEDT,+11.0", 660},
    {"Australian Eastern Standard Time,AEST,+10.0", 600},
    {"Australian Western Daylight Time,AWDT,+9.0", 540},
    {"Australian Western Standard Time,AWST,+8.0", 480},
    {"Azores Time, AT, -2.0", -120},
    {"Baghdad Time, BAT, +3.0", 180},
    {"Bering Standard Time,BET,-11.0", -660},
    {"Brazil Zone 2,BZT2,-3.0", -180},
    {"British Double Summer Time,BDST,+2.0", 120},
    {"British Summer Time,BST,+1.0", 60},
    {"British War Time,BWT,+2.0", 120},
    {"Central Daylight Time,CDT,-5.0", -300},
    {"Central European Daylight,CED,+2.0", 120},
    {"Central European Time,CET,+1.0", 60},
    {"Central Standard Time,CST,-6.0", -360},
    {"Central War Time,CWT,-5.0", -300},
    {"China Coast Time,CCT,+8.0", 480},
    {"Eastern Daylight Time,EDT,-4.0", -240},
    {"Eastern European Daylight Time,EED,+3.0", 180},
    {"Eastern European Time,EET,+2.0", 120},
    {"Eastern Standard Time,EST,-5.0", -300},
    {"Eastern War Time,EWT,-4.0", -240},
    {"Greenwich Mean Time,GMT,0.0", 0},
    {"Guam Standard Time,GST,+10.0", 600},
    {"Hawaiian Daylight Time,HDT,-9.5", -570},
    {"Hawaiian Standard Time,HST,-10.5", -630},
    {"Hawaiian War Time,HWT,-9.5", -570},
    {"Indian Time, IST, +5.3", 330},
    {"Int'l Date Line East,IDLE,+12.0", 720},
    {"Int'l Date Line West,IDLW,-12.0", -720},
    {"Iran Time, IT, +3.5", 210},
    {"Japan Standard Time,JST,+9.0", 540},
    {"Java Time, JT, +7.5", 450},
    {"Middle European Daylight Time,MED,+2.0", 120},
    {"Middle European Time,MET,+1.0", 60},
    {"Moluccas Time, MT, +8.5", 510},
    {"Mountain Daylight Time,MDT,-6.0", -360},
    {"Mountain Standard Time,MST,-7.0", -420},
    {"Mountain War Time,MWT,-6.0", -360},
    {"New Zealand Std Summer Time,NZST,+13.0", 780},
    {"New Zealand Std Time,NZT,+12.0", 720},
    {"New Zealand Summer Time,NZS,+12.5", 750},
    {"New Zealand Time,NZ,+11.5", 690},
    {"Newfoundland Standard Time,NST,-3.5", -210},
    {"Nome Time, NT, -11.0", -660},
    {"North Sumatra Time,NST,+6.5", 390},
    {"Pacific Daylight Time,PDT,-7.0", -420},
    {"Pacific Standard Time,PST,-8.0", -480},
    {"Pacific War Time,PWT,-7.0", -420},
    {"South Australia Daylight Time,SAD,+10.5", 630},
    {"South Australia Daylight Time,SDT,+10.5", 630},
    {"South Australia Standard Time,SAST,+9.5", 570},
    {"South Australia Standard Time,SAT,+9.5", 570},
    {"South Sumatra Time,SST,+7.0", 420},
    {"Universal Time, UT, 0.0", 0},
    {"USSR Zone 10,UZ10,+11.0", 660},
    {"USSR Zone 3,USZ3,+4.0", 240},
    {"USSR Zone 4,USZ4,+5.0", 300},
    {"USSR Zone 5,USZ5,+6.0", 360},
    {"USSR Zone 6,USZ6,+7.0", 420},
    {"West Africa Time,WAT,-1.0", -60},
    {"Yukon Daylight Time,YDT,-8.0", -480},
    {"Yukon Standard Time,YST,-9.0", -540},
    {"Yukon War Time,YWT,-8.0", -480},
}};

}  // namespace velloran::test
