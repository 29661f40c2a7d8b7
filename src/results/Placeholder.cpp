// Filled as the folder's modules land.
