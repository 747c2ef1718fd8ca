#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/runtime/Exceptions.h"
#include "sim/SiteRecord.h"

namespace halvorn {
namespace {

// `count` monthly lines from January 2021 on, one value each.
std::string Months(int first, int count, char sep = ',') {
  std::string s;
  for (int t = first; t < first + count; ++t) {
    char line[32];
    std::snprintf(line, sizeof line, "%04d-%02d-15%c%d\n", 2021 + t / 12, t % 12 + 1, sep, 10 + t);
    s += line;
  }
  return s;
}

TEST(SiteRecord, BadInputNamesTheLineAndTheFault) {
  // Line 5 is the bad one: a header and three good months come before it,
  // and enough months after it that only the fault can stop the record.
  const auto around = [](const std::string& bad) {
    return "date,value\n" + Months(0, 3) + bad + "\n" + Months(3, 30);
  };
  const struct {
    const char* Name;
    std::string Text;
    int Line;
    const char* Fault;
  } cases[] = {
      {"NoDate", around(",12"), 5, "λείπει η ημερομηνία"},
      {"TextForDate", around("χθες,12"), 5, "«χθες» δεν είναι ημερομηνία"},
      {"ShortYear", around("21-04-15,12"), 5, "«21-04-15» δεν είναι ημερομηνία"},
      {"February30", around("2023-02-30,12"), 5, "η ημερομηνία 2023-02-30 δεν υπάρχει"},
      {"February29NotLeap", around("2023-02-29,12"), 5, "η ημερομηνία 2023-02-29 δεν υπάρχει"},
      {"Month13", around("2023-13,12"), 5, "η ημερομηνία 2023-13 δεν υπάρχει"},
      {"Month00", around("2023-00-10,12"), 5, "η ημερομηνία 2023-00-10 δεν υπάρχει"},
      {"TextForValue", around("2021-04-15,n.d."), 5, "«n.d.» δεν είναι αριθμός"},
      {"NumberWithUnit", around("2021-04-15,12 mg/l"), 5, "«12 mg/l» δεν είναι αριθμός"},
      {"Infinity", around("2021-04-15,inf"), 5, "«inf» δεν είναι αριθμός"},
      {"NoValue", around("2021-04-15"), 5, "λείπει η τιμή"},
      {"Negative", around("2021-04-15,-3.5"), 5, "η τιμή -3.5 είναι αρνητική"},
      {"ZeroLimit", around("2021-04-15,<0"), 5, "το όριο ανίχνευσης <0 πρέπει να είναι θετικό"},
      {"DecimalCommaAmongCommas", around("2021-04-15,0,5"), 5, "δύο στήλες"},
      {"Nul", around(std::string("2021-04-15,1\0", 13)), 5, "NUL"},
      {"InvalidUtf8", around("2021-04-15,\xC3\x28"), 5, "UTF-8"},
      {"OverlongUtf8", around("2021-04-15,\xC0\xAF"), 5, "UTF-8"},
      {"TruncatedUtf8AtEnd", Months(0, 30) + "\xCE", 31, "UTF-8"},
      // 23 months, blank lines after: the last line with text is named.
      {"TooShort", "date,value\n" + Months(0, 23) + "\n\n", 24, "καλύπτουν 23 μήνες"},
      {"TooShortUnordered", Months(22, 1) + Months(0, 1), 2, "καλύπτουν 23 μήνες"},
      {"Empty", "date,value\n", 1, "δεν περιέχει μετρήσεις"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    try {
      TSiteRecord::Parse(c.Text);
      ADD_FAILURE() << "accepted";
    } catch (const EConvertError& e) {
      const std::string message = e.what();
      EXPECT_EQ(message.rfind("Γραμμή " + std::to_string(c.Line) + ": ", 0), 0u) << message;
      EXPECT_NE(message.find(c.Fault), std::string::npos) << message;
    }
  }
}

struct TExpected {
  int Year, Month;
  double Value;
  bool Censored;
};

TEST(SiteRecord, ReadsEveryWayOfWritingARecord) {
  // The same five samples, spanning 2022-12 to 2024-11 (24 months, the
  // least allowed), with a leap day and a value below a limit of 0.5.
  const std::vector<TExpected> five = {{2022, 12, 3.25, false},
                                       {2023, 6, 0.5, true},
                                       {2024, 2, 4, false},
                                       {2024, 7, 12.5, false},
                                       {2024, 11, 0.75, false}};
  std::vector<TExpected> twoInJune = five;
  twoInJune.insert(twoInJune.begin() + 2, {2023, 6, 1.5, false});
  const struct {
    const char* Name;
    std::string Text;
    std::vector<TExpected> Samples;
  } cases[] = {
      {"HeaderCommas",
       "date,value\n2022-12-01,3.25\n2023-06-15,<0.5\n2024-02-29,4\n2024-07-31,12.5\n"
       "2024-11-30,0.75\n",
       five},
      {"NoHeader",
       "2022-12-01,3.25\n2023-06-15,<0.5\n2024-02-29,4\n2024-07-31,12.5\n2024-11-30,.75", five},
      {"SemicolonsDecimalComma",
       "Ημερομηνία;Τιμή\n2022-12-01;3,25\n2023-06-15;< 0,5\n2024-02-29;4\n2024-07-31;12,5\n"
       "2024-11-30;0,75\n",
       five},
      {"TitleWithoutSeparator",
       "Σταθμός Α, νιτρικά\n2022-12-01;3,25\n2023-06-15;<0,5\n2024-02-29;4\n2024-07-31;12,5\n"
       "2024-11-30;0,75\n",
       five},
      {"TabsYearMonth",
       "date\tvalue\n2022-12\t3.25\n2023-06\t<0.5\n2024-02\t4\n2024-07\t12.5\n"
       "2024-11\t0.75\n",
       five},
      {"CrlfBomSpaces",
       "\xEF\xBB\xBF"
       "date , value\r\n2022-12-01 , 3.25\r\n\r\n2023-06-15, <0.5 \r\n"
       "2024-02-29,4\r\n2024-07-31,12.5\r\n2024-11-30,0.75\r\n",
       five},
      {"TrailingEmptyColumn",
       "2022-12-01;3,25;\n2023-06-15;<0,5;\n2024-02-29;4;\n2024-07-31;12,5;\n"
       "2024-11-30;0,75;\n",
       five},
      {"SeveralInAMonth",
       "date,value\n2022-12-01,3.25\n2023-06-15,<0.5\n2023-06-20,1.5\n2024-02-29,4\n"
       "2024-07-31,12.5\n2024-11-30,0.75\n",
       twoInJune},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    const TSiteRecord r = TSiteRecord::Parse(c.Text);
    ASSERT_EQ(r.Samples().size(), c.Samples.size());
    for (std::size_t i = 0; i < c.Samples.size(); ++i) {
      const TSiteSample& s = r.Samples()[i];
      const TExpected& e = c.Samples[i];
      EXPECT_EQ(s.Year, e.Year) << i;
      EXPECT_EQ(s.Month, e.Month) << i;
      EXPECT_EQ(s.Value, e.Value) << i;
      EXPECT_EQ(s.Censored, e.Censored) << i;
    }
    EXPECT_EQ(r.MonthsSpanned(), 24);
    EXPECT_EQ(r.DetectionLimit(), 0.5);
  }
}

TEST(SiteRecord, LargestLimitAndSpanOfAnUnorderedRecord) {
  const TSiteRecord r =
      TSiteRecord::Parse("2023-05,<2\n2021-03,4\n2022-01,<0.5\n2023-02,<3\n2022-08,7\n");
  EXPECT_EQ(r.DetectionLimit(), 3.0);
  EXPECT_EQ(r.MonthsSpanned(), 27);
  EXPECT_EQ(r.Samples()[0].Line, 1);
  EXPECT_EQ(r.Samples()[3].Line, 4);
  EXPECT_EQ(TSiteRecord::Parse(Months(0, 24)).DetectionLimit(), 0.0);
}

TEST(SiteRecord, ReadsARegularFileOnlyAndSaysWhyNot) {
  namespace fs = std::filesystem;
  const fs::path dir = fs::path(::testing::TempDir()) / "site-record-files";
  fs::remove_all(dir);
  fs::create_directories(dir);
  const std::string good = (dir / "good.csv").string();
  std::ofstream(good) << "date;value\n" << Months(0, 24, ';');
  EXPECT_EQ(TSiteRecord::ReadFile(good).Samples().size(), 24u);

  // Sparse: a size past the limit costs no disk.
  const std::string large = (dir / "large.csv").string();
  std::ofstream(large) << Months(0, 24);
  fs::resize_file(large, TSiteRecord::kMaxFileBytes + 1);
  // A pipe without a writer: opening it must not wait for one.
  const std::string pipe = (dir / "pipe").string();
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  const std::string bad = (dir / "bad.csv").string();
  std::ofstream(bad) << Months(0, 3) << "2021-04-31,1\n";
  const struct {
    std::string Path;
    const char* Reason;
  } cases[] = {
      {(dir / "missing.csv").string(), "δεν υπάρχει"},
      {dir.string(), "είναι φάκελος"},
      {"/dev/zero", "δεν είναι κανονικό αρχείο"},
      {pipe, "δεν είναι κανονικό αρχείο"},
      {large, "είναι πολύ μεγάλο για καταγραφή μετρήσεων (64 MB· το πολύ 64 MB)"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Path);
    try {
      TSiteRecord::ReadFile(c.Path);
      ADD_FAILURE() << "read";
    } catch (const EInOutError& e) {
      EXPECT_EQ(std::string(e.what()),
                "Δεν ήταν δυνατή η ανάγνωση του αρχείου «" + c.Path + "»: " + c.Reason);
    }
  }
  // A file that is read but is no record fails as its text does.
  EXPECT_THROW(TSiteRecord::ReadFile(bad), EConvertError);
  fs::remove_all(dir);
}

}  // namespace
}  // namespace halvorn
