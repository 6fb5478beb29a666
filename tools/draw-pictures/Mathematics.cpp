#include "Mathematics.h"

#include <cstdlib>

namespace maths {

QList<QList<int>> sieveCrossings(int n)
{
    QList<QList<int>> crossedBy(std::max(n, 0) + 1);
    for (int p = 2; p * p <= n; ++p) {
        if (!crossedBy[p].isEmpty())
            continue; // not a prime
        for (int k = p * p; k <= n; k += p)
            crossedBy[k].append(p);
    }
    return crossedBy;
}

namespace {

bool safe(const QList<int> &columns, int col)
{
    const int row = int(columns.size());
    for (int r = 0; r < row; ++r)
        if (columns[r] == col || std::abs(columns[r] - col) == row - r)
            return false;
    return true;
}

void grow(QList<QueensNode> &tree, int index, int n)
{
    if (tree[index].columns.size() == n)
        return;
    for (int col = 1; col <= n; ++col) {
        if (!safe(tree[index].columns, col))
            continue;
        QueensNode child;
        child.columns = tree[index].columns;
        child.columns.append(col);
        child.parent = index;
        tree.append(child);
        const int childIndex = int(tree.size()) - 1;
        tree[index].children.append(childIndex);
        grow(tree, childIndex, n);
    }
}

void sequences(QStringList &out, QString &prefix, int open, int close)
{
    if (open == 0 && close == 0) {
        out.append(prefix);
        return;
    }
    if (open > 0) {
        prefix.append(QLatin1Char('('));
        sequences(out, prefix, open - 1, close + 1);
        prefix.chop(1);
    }
    if (close > 0) {
        prefix.append(QLatin1Char(')'));
        sequences(out, prefix, open, close - 1);
        prefix.chop(1);
    }
}

} // namespace

QList<QueensNode> queensSearchTree(int n)
{
    QList<QueensNode> tree(1);
    grow(tree, 0, n);
    return tree;
}

bool isSolution(const QueensNode &node, int n)
{
    return node.columns.size() == n;
}

bool isDeadEnd(const QueensNode &node, int n)
{
    return node.children.isEmpty() && !isSolution(node, n);
}

QList<long long> catalanNumbers(int count)
{
    QList<long long> c;
    for (int m = 0; m < count; ++m) {
        long long v = m == 0 ? 1 : 0;
        for (int i = 0; i < m; ++i)
            v += c[i] * c[m - 1 - i];
        c.append(v);
    }
    return c;
}

QStringList bracketSequences(int pairs)
{
    QStringList out;
    QString prefix;
    if (pairs >= 0)
        sequences(out, prefix, pairs, 0);
    return out;
}

std::unique_ptr<BinaryTree> treeOf(const QString &brackets)
{
    if (brackets.isEmpty())
        return nullptr;
    // The bracket that closes the first one.
    int depth = 0, close = 0;
    for (int i = 0; i < brackets.size(); ++i) {
        depth += brackets[i] == QLatin1Char('(') ? 1 : -1;
        if (depth == 0) {
            close = i;
            break;
        }
    }
    auto node = std::make_unique<BinaryTree>();
    node->left = treeOf(brackets.mid(1, close - 1));
    node->right = treeOf(brackets.mid(close + 1));
    return node;
}

QString bracketsOf(const BinaryTree *tree)
{
    if (!tree)
        return {};
    return QLatin1Char('(') + bracketsOf(tree->left.get()) + QLatin1Char(')')
           + bracketsOf(tree->right.get());
}

} // namespace maths
