#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <memory>

// The mathematics behind some of the pictures, computed rather than typed in
// so that the pictures cannot show a wrong search tree, number or sequence.
namespace maths {

// The sieve of Eratosthenes on 0..n: for every number, the primes that cross
// it out, in the order the sieve does it (each prime p from p*p on). The
// primes are the numbers from 2 on that nobody crosses out.
QList<QList<int>> sieveCrossings(int n);

// One placement reached by the backtracking search for n queens.
struct QueensNode
{
    QList<int> columns;  // the column (1..n) of the queen in rows 1, 2, ...
    QList<int> children; // indices of the placements tried from here, left to right
    int parent = -1;
};

// Every placement the search reaches, in the order it reaches them, when a
// queen is put only on a square no earlier queen attacks. Node 0 is the
// empty board. The search goes on after a solution, so all are found.
QList<QueensNode> queensSearchTree(int n);
bool isSolution(const QueensNode &node, int n);
// A placement with no square left for the next queen.
bool isDeadEnd(const QueensNode &node, int n);

// C(0), C(1), ... C(count - 1) from C(n+1) = C(0)C(n) + ... + C(n)C(0).
QList<long long> catalanNumbers(int count);

// All correct bracket sequences of `pairs` pairs, "(" ordered before ")".
QStringList bracketSequences(int pairs);

// A binary tree; a null pointer is the empty tree.
struct BinaryTree
{
    std::unique_ptr<BinaryTree> left, right;
};

// The tree of a correct bracket sequence "(A)B": a root whose left subtree
// is the tree of A and right subtree the tree of B.
std::unique_ptr<BinaryTree> treeOf(const QString &brackets);
// The sequence of a tree, the inverse of treeOf.
QString bracketsOf(const BinaryTree *tree);

} // namespace maths
