SELECT * FROM computer
WHERE name = :name
