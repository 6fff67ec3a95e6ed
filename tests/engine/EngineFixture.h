// Builds small dictionaries in a temporary directory for the engine tests.
#pragma once

#include <string>

#include "RDictionary.h"
#include "ScriptedPlatform.h"
#include "TempDir.h"

namespace tq::test {

// The rules the program ships with.
inline const char* kShippedMapping =
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

class EngineTest : public ::testing::Test {
 protected:
  // Writes the files that are given (an empty words.txt is not written) and
  // runs the start-up load.
  void Load(const std::string& words, const std::string& mapping = kShippedMapping,
            const std::string& changes = std::string()) {
    dir.Write("words.dat", words);
    dir.Write("mapping.txt", mapping);
    if (!changes.empty()) dir.Write("words.txt", changes);
    Reload();
  }
  void Reload() {
    dict = RDictionary();
    dict.SetDirectory(dir.path());
    dict.LoadUserChanges();
    dict.LoadWords();
    dict.LoadMapping();
    dict.ComputeCodes();
    dict.BuildCodeIndex();
  }
  std::string Code(const std::string& word) const {
    const int p = dict.FindWord(word);
    return p < 0 ? std::string("<missing>") : dict.CodeAt(p);
  }
  std::vector<std::string> Rows(const std::string& digits) const {
    std::vector<std::string> rows;
    dict.ListWordsForDigits(digits, rows);
    return rows;
  }

  ScriptedPlatform platform;
  TempDir dir;
  RDictionary dict;
};

}  // namespace tq::test
