SELECT MAX(operation_id) FROM operation
WHERE plant_id = :plant_id
