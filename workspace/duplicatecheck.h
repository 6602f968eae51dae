#pragma once

#include <QString>
#include <array>

namespace bw {

// Which of the six items already hold a product, with the product's name and icon as the
// last of those lists (in item order) has them.
struct ProductHolders {
  std::array<bool, 6> inItem{};
  QString name;
  QString icon;
  bool any() const;
};

// Looks the product up in the product list files of all six items.
ProductHolders FindProductInItems(const QString& xmlPath, const QString& productGuid);

// The question asked before such a product is added once more; lines end with a carriage
// return, as the message window breaks them.
QString DuplicateQuestion(const ProductHolders& holders);

}  // namespace bw
