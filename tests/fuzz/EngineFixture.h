// The small, valid companions of the file under test, and the start-up load
// of the dictionary in the program's own order.
#pragma once

#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "Messages.h"
#include "RDictionary.h"

namespace tq::fuzz {

inline const char* const kMapping =
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

inline const char* const kWords =
    "apple,@pVl\n"
    "bat,b@t\n"
    "church,t\x9F" "3t\x9F\n"
    "ring,rI\xFC\n"
    "tea,ti\n"
    "tough,tVf\n"
    "tree,tri\n";

// Loads the dictionary from dir as start-up does, stopping where start-up
// would stop, then builds the index and makes one lookup.
inline void LoadAndLookUp(const std::string& dir) {
  ResetFatalErrorForTesting();
  RDictionary dict;
  dict.SetDirectory(dir);
  dict.LoadUserChanges();
  if (dict.LoadWords() < 0 || FatalErrorShown()) return;
  if (dict.LoadMapping() < 0 || FatalErrorShown()) return;
  dict.ComputeCodes();
  dict.BuildCodeIndex();
  std::vector<std::string> rows;
  dict.ListWordsForDigits("1234567890", rows);
}

}  // namespace tq::fuzz
