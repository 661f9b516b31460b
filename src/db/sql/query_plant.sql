SELECT * FROM plant
WHERE type_id = 3
AND computer_id = :computer_id
