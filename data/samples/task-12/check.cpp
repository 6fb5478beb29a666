// Any longest common subsequence is right: the length must be the expected
// one, and the line after it a subsequence of both strings of that length.
//   check INPUT EXPECTED OUTPUT    exits with 0 when the output is right
#include <fstream>
#include <string>
using namespace std;

bool isSubsequence(const string &part, const string &whole) {
    size_t at = 0;
    for (char c : whole)
        if (at < part.size() && part[at] == c) at++;
    return at == part.size();
}

int main(int argc, char **argv) {
    if (argc != 4) return 2;
    ifstream in(argv[1]), expected(argv[2]), output(argv[3]);
    string a, b;
    long long want = -1, got = -1;
    in >> a >> b;
    expected >> want;
    if (!(output >> got) || got != want) return 1;
    string common;
    if (want > 0 && !(output >> common)) return 1;
    string rest;
    if (output >> rest) return 1;
    return (long long)common.size() == want && isSubsequence(common, a) && isSubsequence(common, b) ? 0 : 1;
}
