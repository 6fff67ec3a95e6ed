// The mapping rules the program ships with (data/mapping.txt), for tests and
// fuzz targets that write their own small dictionaries.
#pragma once

namespace tq::test {

inline constexpr const char* kShippedMapping =
    "#MAP - This file contains rules for making a code from a word.\n"
    "0:s,z,ss,zz,ce,ci,cy\n"
    "1:t,d,th,tt,dd\n"
    "2:n,nn,ng\n"
    "3:m,mm\n"
    "4:r,rr\n"
    "5:l,ll\n"
    "6:j,sh,ch,tch,dg\n"
    "7:k,c,g,q,qu,ck,gg,ng\n"
    "8:f,v,ph,ff\n"
    "9:p,b,pp,bb\n"
    " :a,e,i,o,u,y,w,h,gh\n";

}  // namespace tq::test
