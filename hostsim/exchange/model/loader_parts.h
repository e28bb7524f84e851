#pragma once
// The loader's steps, one group of fixture files each; they throw TableError.
#include <string>

#include "model/dataset.h"
#include "model/table_file.h"

namespace exchange {

void LoadReference(const std::string& folder, DataSet& d);
void LoadParties(const std::string& folder, DataSet& d);
void LoadMarket(const std::string& folder, DataSet& d);
void LoadBulletins(const std::string& folder, DataSet& d);

} // namespace exchange
