#pragma once
// Runs the real halvorn-cli binary and reads what it prints.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace halvorn_test {

struct Outcome {
  std::string out;
  std::string err;
  int status = -1;
};

// CTest runs every test case as its own process, in parallel: files must not be shared.
inline std::string TempPath(const std::string& name) {
  return testing::TempDir() + "halvorn_" + std::to_string(getpid()) + "_" + name;
}

inline Outcome RunCli(const std::string& args) {
  const std::string errFile = TempPath("cli_stderr.txt");
  const std::string command = std::string("LC_ALL=C ") + HALVORN_CLI + " " + args + " 2>" + errFile;
  Outcome o;
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return o;
  std::array<char, 4096> buffer;
  std::size_t n;
  while ((n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0) o.out.append(buffer.data(), n);
  const int raw = pclose(pipe);
  o.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  std::ifstream err(errFile);
  std::stringstream ss;
  ss << err.rdbuf();
  o.err = ss.str();
  std::remove(errFile.c_str());
  return o;
}

inline std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

}  // namespace halvorn_test
